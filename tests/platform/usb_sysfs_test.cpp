// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/usb_sysfs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/posix/serial_system.h"
#include "support/files.h"

namespace mk::platform {
namespace {
namespace fs = std::filesystem;

// A small copy of the kernel's tree: USB devices with their ids, interfaces
// below them, and class/tty entries whose "device" links point into it.
class FakeSysfs : public ::testing::Test {
 protected:
  void SetUp() override { fs::create_directories(root_ / "class" / "tty"); }

  fs::path UsbDevice(const std::string& name, const std::string& vendor,
                     const std::string& product) {
    const fs::path dev = root_ / "devices" / "pci0000:00" / "usb1" / name;
    fs::create_directories(dev);
    std::ofstream(dev / "idVendor") << vendor << "\n";
    std::ofstream(dev / "idProduct") << product << "\n";
    return dev;
  }
  // cdc-acm: the tty's device is the interface itself.
  void AcmTty(const std::string& tty, const fs::path& usb) {
    const fs::path iface = usb / (usb.filename().string() + ":1.0");
    fs::create_directories(iface);
    Tty(tty, iface);
  }
  // usb-serial: the tty's device is a port below the interface.
  void UsbSerialTty(const std::string& tty, const fs::path& usb) {
    const fs::path port = usb / (usb.filename().string() + ":1.0") / tty;
    fs::create_directories(port);
    Tty(tty, port);
  }
  void Tty(const std::string& tty, const fs::path& device) {
    fs::create_directories(root_ / "class" / "tty" / tty);
    fs::create_symlink(device, root_ / "class" / "tty" / tty / "device");
  }

  tests::TempFolder folder_{"sysfs"};
  const fs::path root_ = folder_.path();
};

TEST_F(FakeSysfs, FindsTheMkByItsIdsInNaturalOrder) {
  AcmTty("ttyACM10", UsbDevice("1-1", "04d8", "000a"));
  AcmTty("ttyACM2", UsbDevice("1-2", "04D8", "000A"));
  AcmTty("ttyACM0", UsbDevice("1-3", "04d8", "000b"));        // another product
  UsbSerialTty("ttyUSB0", UsbDevice("1-4", "0403", "000a"));  // another vendor
  UsbSerialTty("ttyUSB1", UsbDevice("1-5", "04d8", "000a"));
  fs::create_directories(root_ / "class" / "tty" / "tty0");              // virtual, no device
  fs::create_directories(root_ / "class" / "tty" / "ttyS0" / "device");  // no USB above

  EXPECT_EQ(FindUsbTtys(root_.string(), "04D8", "000A"),
            (std::vector<std::string>{"/dev/ttyACM2", "/dev/ttyACM10", "/dev/ttyUSB1"}));
  EXPECT_EQ(FindUsbTtys(root_.string(), "0403", "000a"),
            (std::vector<std::string>{"/dev/ttyUSB0"}));
}

TEST_F(FakeSysfs, AMissingOrEmptyTreeFindsNothing) {
  EXPECT_TRUE(FindUsbTtys(root_.string(), "04D8", "000A").empty());
  EXPECT_TRUE(FindUsbTtys((root_ / "nowhere").string(), "04D8", "000A").empty());
  PosixSerialSystem none((root_ / "nowhere").string());
  EXPECT_TRUE(none.FindMk().empty());
}

TEST_F(FakeSysfs, FindMkGivesComNumbers) {
  AcmTty("ttyACM0", UsbDevice("1-1", "04d8", "000a"));
  AcmTty("ttyACM40", UsbDevice("1-2", "04d8", "000a"));  // outside the families
  PosixSerialSystem system(root_.string());
  const auto found = system.FindMk();
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].number, 21);
  EXPECT_EQ(found[0].path, "/dev/ttyACM0");
  EXPECT_GE(found[1].number, 1);
  EXPECT_LE(found[1].number, 32);
  EXPECT_EQ(system.PortName(found[1].number), "/dev/ttyACM40");
}

TEST_F(FakeSysfs, FindMkFollowsAnOverriddenLink) {
  AcmTty("ttyACM0", UsbDevice("1-1", "04d8", "000a"));
  PosixSerialSystem system(root_.string());
  // The preferences may name the MK by a stable link; its number wins.
  const fs::path link = root_ / "mk-link";
  fs::create_symlink("/dev/ttyACM0", link);
  system.Map().SetOverride(4, link.string());
  const auto found = system.FindMk();
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].number, 4);
}

}  // namespace
}  // namespace mk::platform
