// SPDX-License-Identifier: GPL-3.0-or-later
// The connection check on a fake machine: a kernel device tree, device nodes,
// processes, a group database and udev rules in a temporary folder.
#include "platform/posix/connection_check_posix.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/files.h"

namespace mk::platform {
namespace {
namespace fs = std::filesystem;

class FakeMachine : public ::testing::Test {
 protected:
  FakeMachine() {
    for (const auto* d : {"sys/class/tty", "sys/bus/usb/devices", "proc", "dev", "etc/udev/rules.d",
                          "lib/udev/rules.d"}) {
      fs::create_directories(root_ / d);
    }
    roots_ = {(root_ / "sys").string(), (root_ / "proc").string(), (root_ / "dev").string(),
              (root_ / "etc").string(), (root_ / "lib/udev").string()};
    // The nodes belong to whoever runs the test; the user checked is someone else.
    std::ofstream(root_ / "etc/group") << "users:x:100:\ndialout:x:" << getgid() << ":\n";
    std::ofstream(root_ / "etc/passwd")
        << "tester:x:" << getuid() << ":100::/:/bin/sh\nivan:x:" << getuid() + 1
        << ":100::/home/ivan:/bin/sh\n";
    user_.uid = getuid() + 1;
    user_.gid = 100;
    user_.name = "ivan";
    user_.pid = 999;
  }

  // A USB device with a tty below it, and its node in /dev with `mode`.
  fs::path UsbTty(const std::string& tty, const std::string& vendor, const std::string& product,
                  const std::string& driver, mode_t mode = 0660) {
    const fs::path usb = root_ / "sys/devices/pci0000:00/usb1" / ("1-" + tty);
    const fs::path port = usb / "1-1:1.0" / tty;
    fs::create_directories(port);
    std::ofstream(usb / "idVendor") << vendor << "\n";
    std::ofstream(usb / "idProduct") << product << "\n";
    fs::create_directories(root_ / "sys/bus/usb/drivers" / driver);
    fs::create_symlink(root_ / "sys/bus/usb/drivers" / driver, port / "driver");
    fs::create_symlink(usb, root_ / "sys/bus/usb/devices" / ("1-" + tty));
    Tty(tty, port, mode);
    return port;
  }
  void Tty(const std::string& tty, const fs::path& device, mode_t mode) {
    fs::create_directories(root_ / "sys/class/tty" / tty);
    fs::create_symlink(device, root_ / "sys/class/tty" / tty / "device");
    std::ofstream(root_ / "dev" / tty).put('\0');
    chmod((root_ / "dev" / tty).c_str(), mode);
  }
  fs::path Mk(mode_t mode = 0660) { return UsbTty("ttyACM0", "04d8", "000a", "cdc_acm", mode); }
  void Running(int pid, const std::string& name) {
    fs::create_directories(root_ / "proc" / std::to_string(pid) / "fd");
    std::ofstream(root_ / "proc" / std::to_string(pid) / "comm") << name << "\n";
  }
  void Holding(int pid, const std::string& device) {
    fs::create_symlink(device, root_ / "proc" / std::to_string(pid) / "fd" / "3");
  }
  void Rule(const std::string& folder, const std::string& text) {
    std::ofstream(root_ / folder / "60-mk.rules") << text;
  }

  ConnectionReport Check() { return CheckConnection(roots_, user_); }
  std::string Text() { return FormatReport(Check()); }

  tests::TempFolder folder_{"doctor"};
  const fs::path root_ = folder_.path();
  HostRoots roots_;
  UserIdentity user_;
};

constexpr const char* kShippedRule =
    "# the MK\nSUBSYSTEM==\"tty\", ATTRS{idVendor}==\"04d8\", ATTRS{idProduct}==\"000a\", "
    "TAG+=\"uaccess\", ENV{ID_MM_DEVICE_IGNORE}=\"1\", SYMLINK+=\"mk\"\n";

TEST_F(FakeMachine, NoMkOnUsbBlocksAndTheReportSaysWhatWasChecked) {
  const ConnectionReport r = Check();
  EXPECT_FALSE(r.Clear());
  ASSERT_EQ(r.obstacles.size(), 1u);
  EXPECT_EQ(r.obstacles[0].what, "МК не найден на USB: среди устройств USB нет 04D8:000A.");
  const std::string text = FormatReport(r);
  EXPECT_NE(text.find("USB: МК (04D8:000A) в /sys/bus/usb/devices — не найден"), std::string::npos);
  EXPECT_NE(text.find("последовательные порты в /sys/class/tty: нет ни одного"), std::string::npos);
  EXPECT_NE(text.find("правило udev для МК в /etc/udev/rules.d и /lib/udev/rules.d — не "
                      "установлено"),
            std::string::npos);
  EXPECT_NE(text.find("права на порты у пользователя ivan (группы: users)"), std::string::npos);
  EXPECT_NE(text.find("ModemManager — не запущен"), std::string::npos);
  EXPECT_NE(text.find("brltty — не установлен"), std::string::npos);
  EXPECT_NE(text.find("Мешает:\n- МК не найден"), std::string::npos) << text;
  EXPECT_NE(text.find("  Что сделать: подключите МК кабелем USB"), std::string::npos);
}

TEST_F(FakeMachine, TheMksPortInTheUsersGroupIsClear) {
  Mk();
  user_.groups = {static_cast<unsigned>(getgid())};
  const ConnectionReport r = Check();
  EXPECT_TRUE(r.obstacles.empty()) << FormatReport(r);
  EXPECT_TRUE(r.Clear());
  const std::string text = FormatReport(r);
  EXPECT_NE(text.find("найден, порт /dev/ttyACM0"), std::string::npos);
  EXPECT_NE(text.find("Подключению к МК ничего не мешает."), std::string::npos);
}

TEST_F(FakeMachine, APortTheUserMayNotOpenNamesOwnerGroupModeAndTheFix) {
  Mk(0660);
  ConnectionReport r = Check();
  ASSERT_EQ(r.obstacles.size(), 1u);
  EXPECT_TRUE(r.obstacles[0].blocking);
  EXPECT_NE(r.obstacles[0].what.find("Порт /dev/ttyACM0 (МК): владелец tester, группа dialout, "
                                     "права rw-rw----; пользователь ivan не "
                                     "владелец, не в группе dialout, и метки uaccess у порта нет."),
            std::string::npos)
      << r.obstacles[0].what;
  EXPECT_EQ(r.obstacles[0].fix.find("установите правило udev"), 0u);
  EXPECT_NE(r.obstacles[0].fix.find("sudo usermod -aG dialout ivan"), std::string::npos);

  // With the rule in place only a session away from the seat lacks access.
  Rule("etc/udev/rules.d", kShippedRule);
  r = Check();
  ASSERT_EQ(r.obstacles.size(), 1u);
  EXPECT_NE(r.obstacles[0].what.find("не через ssh"), std::string::npos);
  EXPECT_EQ(r.obstacles[0].fix, "sudo usermod -aG dialout ivan, затем выйдите и войдите снова.");

  // A port open to everyone, or to its owner who is the user, is no obstacle.
  chmod((root_ / "dev/ttyACM0").c_str(), 0666);
  EXPECT_TRUE(Check().obstacles.empty());
  chmod((root_ / "dev/ttyACM0").c_str(), 0600);
  user_.uid = getuid();
  EXPECT_TRUE(Check().obstacles.empty());
}

// A port whose group would make the user root is reached another way.
TEST_F(FakeMachine, NoAdviceToJoinAGroupThatGivesRootsRights) {
  std::ofstream(root_ / "etc/group") << "users:x:100:\nroot:x:" << getgid() << ":\n";
  Mk(0660);
  ConnectionReport r = Check();
  ASSERT_EQ(r.obstacles.size(), 1u);
  EXPECT_EQ(r.obstacles[0].fix.find("установите правило udev"), 0u) << r.obstacles[0].fix;
  EXPECT_NE(r.obstacles[0].fix.find("Вступать в группу root не нужно: она даёт права root."),
            std::string::npos);
  EXPECT_EQ(r.obstacles[0].fix.find("usermod"), std::string::npos) << r.obstacles[0].fix;

  // The rule the package ships, its identifiers and actions on lines of their own.
  std::ifstream shipped(MK_SOURCE_DIR "/packaging/udev/60-mk.rules");
  Rule("lib/udev/rules.d", std::string(std::istreambuf_iterator<char>(shipped), {}));
  r = Check();
  ASSERT_EQ(r.obstacles.size(), 1u);
  EXPECT_EQ(r.obstacles[0].fix.find("войдите в систему за этим компьютером"), 0u)
      << r.obstacles[0].fix;
  EXPECT_EQ(r.obstacles[0].fix.find("usermod"), std::string::npos);
}

TEST_F(FakeMachine, AGroupJoinedAfterLoggingInAsksToLogInAgain) {
  Mk();
  std::ofstream(root_ / "etc/group") << "users:x:100:\ndialout:x:" << getgid() << ":ivan\n";
  const ConnectionReport r = Check();
  ASSERT_EQ(r.obstacles.size(), 1u);
  EXPECT_NE(r.obstacles[0].what.find("вас добавили в группу dialout, но в этом сеансе её ещё нет"),
            std::string::npos);
  EXPECT_EQ(r.obstacles[0].fix,
            "выйдите из системы и войдите снова (или перезагрузите компьютер).");
}

TEST_F(FakeMachine, AnotherProgramHoldingThePortIsNamedWithItsPid) {
  Mk(0666);
  Running(4321, "minicom");
  Holding(4321, "/dev/ttyACM0");
  Running(999, "mkctl");  // ourselves
  Holding(999, "/dev/ttyACM0");
  Running(5000, "bash");
  Holding(5000, "/dev/pts/0");
  const ConnectionReport r = Check();
  ASSERT_EQ(r.obstacles.size(), 1u);
  EXPECT_TRUE(r.obstacles[0].blocking);
  EXPECT_EQ(r.obstacles[0].what,
            "Порт /dev/ttyACM0 (МК) держит открытым программа minicom (PID 4321).");
  EXPECT_EQ(r.obstacles[0].fix, "закройте minicom или завершите её: kill 4321.");
  EXPECT_NE(FormatReport(r).find("(/proc): процессов 3"), std::string::npos);
}

TEST_F(FakeMachine, ModemManagerBlocksOnlyWithoutTheRuleThatSendsItAway) {
  Mk(0666);
  Running(77, "ModemManager");
  ConnectionReport r = Check();
  ASSERT_EQ(r.obstacles.size(), 1u);
  EXPECT_TRUE(r.obstacles[0].blocking);
  EXPECT_EQ(r.obstacles[0].what.find("Запущен ModemManager"), 0u);
  EXPECT_NE(r.obstacles[0].fix.find("sudo systemctl disable --now ModemManager"),
            std::string::npos);

  Rule("lib/udev/rules.d", kShippedRule);
  r = Check();
  EXPECT_TRUE(r.obstacles.empty()) << FormatReport(r);
  EXPECT_NE(FormatReport(r).find("установлено: /lib/udev/rules.d/60-mk.rules (метка uaccess)"),
            std::string::npos);
  EXPECT_NE(FormatReport(r).find("ModemManager — запущен"), std::string::npos);

  // A file of the same name in /etc replaces the packaged one.
  Rule("etc/udev/rules.d", "# switched off\n");
  EXPECT_EQ(Check().obstacles.size(), 1u);
}

TEST_F(FakeMachine, BrlttyAndASlowAdapterMayHinderButDoNotBlock) {
  Mk(0666);
  std::ofstream(root_ / "lib/udev/rules.d/85-brltty.rules") << "\n";
  const fs::path ftdi = UsbTty("ttyUSB0", "0403", "6001", "ftdi_sio", 0666);
  std::ofstream(ftdi / "latency_timer") << "16\n";
  const ConnectionReport r = Check();
  EXPECT_TRUE(r.Clear());
  ASSERT_EQ(r.obstacles.size(), 2u) << FormatReport(r);
  EXPECT_FALSE(r.obstacles[0].blocking);
  EXPECT_EQ(r.obstacles[0].what.find("Переходник /dev/ttyUSB0 (ftdi_sio): таймер задержки 16 мс"),
            0u);
  EXPECT_EQ(r.obstacles[0].fix,
            "echo 1 | sudo tee /sys/bus/usb-serial/devices/ttyUSB0/latency_timer");
  EXPECT_FALSE(r.obstacles[1].blocking);
  EXPECT_EQ(r.obstacles[1].what.find("Установлен brltty"), 0u);
  EXPECT_NE(FormatReport(r).find("Может помешать:\n- Переходник"), std::string::npos);

  std::ofstream(ftdi / "latency_timer") << "1\n";
  EXPECT_EQ(Check().obstacles.size(), 1u);
}

TEST_F(FakeMachine, OtherPortsBlockOnlyWhenTheMkIsNotOnUsb) {
  // A UART the kernel found, and a placeholder without one.
  fs::create_directories(root_ / "sys/devices/platform/serial8250/tty/ttyS0");
  fs::create_directories(root_ / "sys/devices/platform/serial8250/tty/ttyS1");
  Tty("ttyS0", root_ / "sys/devices/platform/serial8250/tty/ttyS0", 0660);
  Tty("ttyS1", root_ / "sys/devices/platform/serial8250/tty/ttyS1", 0660);
  std::ofstream(root_ / "sys/class/tty/ttyS0/type") << "4\n";
  std::ofstream(root_ / "sys/class/tty/ttyS1/type") << "0\n";

  ConnectionReport r = Check();
  ASSERT_EQ(r.obstacles.size(), 2u) << FormatReport(r);
  EXPECT_TRUE(r.obstacles[1].blocking) << "the MK may be on this COM port";
  EXPECT_EQ(r.obstacles[1].what.find("Порт /dev/ttyS0: владелец"), 0u);
  EXPECT_NE(FormatReport(r).find("в /sys/class/tty: /dev/ttyS0\n"), std::string::npos);

  Mk(0666);
  r = Check();
  ASSERT_EQ(r.obstacles.size(), 1u);
  EXPECT_FALSE(r.obstacles[0].blocking);
  EXPECT_TRUE(r.Clear());
}

TEST_F(FakeMachine, TheMkOnUsbWithoutASerialPortOrANodeIsExplained) {
  const fs::path usb = root_ / "sys/devices/pci0000:00/usb1/1-5";
  fs::create_directories(usb);
  std::ofstream(usb / "idVendor") << "04D8\n";
  std::ofstream(usb / "idProduct") << "000A\n";
  fs::create_symlink(usb, root_ / "sys/bus/usb/devices/1-5");
  ConnectionReport r = Check();
  ASSERT_EQ(r.obstacles.size(), 1u);
  EXPECT_NE(r.obstacles[0].fix.find("sudo modprobe cdc_acm"), std::string::npos);

  fs::remove(root_ / "sys/bus/usb/devices/1-5");
  Mk();
  fs::remove(root_ / "dev/ttyACM0");
  r = Check();
  ASSERT_EQ(r.obstacles.size(), 1u);
  EXPECT_EQ(r.obstacles[0].what,
            "Порт /dev/ttyACM0 (МК) есть в ядре, но файла устройства /dev/ttyACM0 нет.");
}

}  // namespace
}  // namespace mk::platform
