// SPDX-License-Identifier: GPL-3.0-or-later
// The udev rule's helper that numbers the MKs plugged in: /dev/mk0, /dev/mk1
// in the order they came, a number kept while its MK stays and free again once
// it is gone.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/files.h"

namespace mk::platform {
namespace {
namespace fs = std::filesystem;

class UdevNames : public ::testing::Test {
 protected:
  // The number the helper gives the device at `devpath` (below the fake /sys).
  std::string Name(const std::string& devpath) {
    const std::string command = "MK_SYS='" + (root_ / "sys").string() + "' MK_NAMES='" +
                                (root_ / "names").string() +
                                "' " MK_SOURCE_DIR "/packaging/udev/mk-udev-name " + devpath;
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
      char buffer[64];
      while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) out += buffer;
      EXPECT_EQ(pclose(pipe), 0) << command;
    }
    return out;
  }
  void Plug(const std::string& devpath) {
    fs::create_directories(root_ / "sys" / devpath.substr(1));
  }
  void Unplug(const std::string& devpath) { fs::remove_all(root_ / "sys" / devpath.substr(1)); }

  tests::TempFolder folder_{"udev-names"};
  const fs::path root_ = folder_.path();
};

TEST_F(UdevNames, EachMkKeepsItsNumberAndAGoneOnesNumberIsTakenAgain) {
  const std::string a = "/devices/usb1/1-1/tty/ttyACM0", b = "/devices/usb1/1-2/tty/ttyACM3",
                    c = "/devices/usb1/1-3/tty/ttyACM1";
  Plug(a);
  Plug(b);
  EXPECT_EQ(Name(a), "0\n");
  EXPECT_EQ(Name(b), "1\n");
  EXPECT_EQ(Name(a), "0\n");  // a "change" event, as installing the package sends
  Unplug(a);
  Plug(c);
  EXPECT_EQ(Name(c), "0\n");
  EXPECT_EQ(Name(b), "1\n");
  Plug(a);
  EXPECT_EQ(Name(a), "2\n");
}

}  // namespace
}  // namespace mk::platform
