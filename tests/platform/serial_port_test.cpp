// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/serial_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/posix/serial_system.h"

namespace mk::platform {
namespace {

// A pseudo-terminal pair; the test plays the device on the master side.
class PtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(master_, 0);
    ASSERT_EQ(grantpt(master_), 0);
    ASSERT_EQ(unlockpt(master_), 0);
    slave_ = ptsname(master_);
    termios t{};
    tcgetattr(master_, &t);
    cfmakeraw(&t);
    tcsetattr(master_, TCSANOW, &t);
  }
  void TearDown() override { close(master_); }

  termios Settings(const PosixSerialPort& port) {
    termios t{};
    EXPECT_EQ(tcgetattr(port.Fd(), &t), 0);
    return t;
  }
  std::string DrainMaster() {
    std::string out;
    char buf[256];
    ssize_t n;
    while ((n = read(master_, buf, sizeof buf)) > 0) out.append(buf, static_cast<std::size_t>(n));
    return out;
  }

  int master_ = -1;
  std::string slave_;
};

TEST_F(PtyTest, OpensRawEightDataBitsNoParityTwoStopBits) {
  auto port = PosixSerialPort::Open(slave_);
  ASSERT_TRUE(port);
  const termios t = Settings(*port);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF), 0u);
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(t.c_cflag & PARENB, 0u);
  EXPECT_NE(t.c_cflag & CSTOPB, 0u);
  EXPECT_NE(t.c_cflag & CLOCAL, 0u);
  EXPECT_NE(t.c_cflag & CREAD, 0u);
  EXPECT_EQ(t.c_cflag & CRTSCTS, 0u);
  EXPECT_EQ(t.c_cc[VMIN], 0);
  EXPECT_EQ(t.c_cc[VTIME], 0);
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B115200));
}

TEST_F(PtyTest, BaudAndStopBitsReachTheDevice) {
  auto port = PosixSerialPort::Open(slave_);
  ASSERT_TRUE(port);
  EXPECT_EQ(port->SetBaud(9600), 9600u);
  EXPECT_EQ(port->SetBaud(12345), 9600u) << "a rate the driver lacks leaves the old one";
  EXPECT_EQ(port->SetBaud(115200), 115200u);

  port->SetStopBits(0);
  EXPECT_EQ(Settings(*port).c_cflag & CSTOPB, 0u);
  port->SetStopBits(1);
  EXPECT_NE(Settings(*port).c_cflag & CSTOPB, 0u);
  port->SetStopBits(0);
  port->SetStopBits(2);
  EXPECT_NE(Settings(*port).c_cflag & CSTOPB, 0u);

  // A pseudo-terminal keeps 8 data bits and no parity whatever it is told,
  // so those mappings are checked on plain termios values (termios_test).
  port->SetByteSize(8);
  port->SetParity(0);
  const termios after = Settings(*port);
  EXPECT_EQ(cfgetospeed(&after), static_cast<speed_t>(B115200));
}

TEST_F(PtyTest, ModemLinesAndPurgesOnAPtyDoNoHarm) {
  auto port = PosixSerialPort::Open(slave_);
  ASSERT_TRUE(port);
  port->SetDTR();
  port->SetRTS();
  port->ClearRTS();
  port->PurgeOutput();
  ASSERT_EQ(write(master_, "xyz", 3), 3);
  ASSERT_TRUE(port->WaitReadable(1000));
  port->PurgeInput();
  std::uint8_t b;
  EXPECT_EQ(port->Read(&b, 1), 0u);
}

TEST_F(PtyTest, ReadsReturnAtOnceAndBytesPassUnchanged) {
  auto port = PosixSerialPort::Open(slave_);
  ASSERT_TRUE(port);
  std::uint8_t buf[16];
  EXPECT_EQ(port->Read(buf, sizeof buf), 0u);
  EXPECT_FALSE(port->WaitReadable(0));

  // Bytes a cooked tty would change: CR, LF, ^C, ^S, ^Q, DEL and 0xFF.
  const std::string frame("\r\n\x03\x13\x11\x7f\xff\x00", 8);
  ASSERT_EQ(write(master_, frame.data(), frame.size()), static_cast<ssize_t>(frame.size()));
  std::string got;
  while (got.size() < frame.size() && port->WaitReadable(1000)) {
    const std::size_t n = port->Read(buf, sizeof buf);
    got.append(reinterpret_cast<char*>(buf), n);
  }
  EXPECT_EQ(got, frame);

  const std::uint8_t out[] = {6, 253, 1, 0, 1, 251, '\n', '\r'};
  EXPECT_EQ(port->Write(out, sizeof out), sizeof out);
  usleep(20000);
  EXPECT_EQ(DrainMaster(), std::string(reinterpret_cast<const char*>(out), sizeof out));
}

TEST_F(PtyTest, ASecondOpenIsRefusedUntilTheFirstCloses) {
  auto first = PosixSerialPort::Open(slave_);
  ASSERT_TRUE(first);
  PortCheck check;
  EXPECT_FALSE(PosixSerialPort::Open(slave_, &check));
  EXPECT_EQ(check.state, PortState::kBusy);
  EXPECT_EQ(check.reason, "занят другой программой");
  first.reset();
  EXPECT_EQ(PosixSerialPort::Check(slave_).state, PortState::kFree);
  EXPECT_TRUE(PosixSerialPort::Open(slave_));
}

TEST_F(PtyTest, APortLockedByAnotherProgramIsBusy) {
  const int other = open(slave_.c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(other, 0);
  ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
  EXPECT_EQ(PosixSerialPort::Check(slave_).state, PortState::kBusy);
  close(other);
  EXPECT_EQ(PosixSerialPort::Check(slave_).state, PortState::kFree);
}

TEST_F(PtyTest, WaitReadableEndsWhenTheOtherSideHangsUp) {
  auto port = PosixSerialPort::Open(slave_);
  ASSERT_TRUE(port);
  close(master_);
  master_ = open("/dev/null", O_RDONLY);  // for TearDown
  EXPECT_FALSE(port->WaitReadable(20));
  std::uint8_t b;
  EXPECT_EQ(port->Read(&b, 1), 0u);
}

TEST(SerialCheckTest, TellsMissingFromNotATerminal) {
  EXPECT_EQ(PosixSerialPort::Check("/nonexistent/ttyQ9").state, PortState::kMissing);
  EXPECT_FALSE(PosixSerialPort::Open("/nonexistent/ttyQ9"));
  const PortCheck file = PosixSerialPort::Check("/proc/self/cmdline");
  EXPECT_NE(file.state, PortState::kFree);
  EXPECT_NE(file.state, PortState::kMissing);
}

TEST_F(PtyTest, TheSystemOpensMappedNumbersAndProbesTheRest) {
  PosixSerialSystem system("/nonexistent");
  system.Map().SetOverride(3, slave_);
  system.Map().SetOverride(4, "/nonexistent/ttyQ9");
  EXPECT_TRUE(system.Probe(3));
  EXPECT_FALSE(system.Probe(4));
  EXPECT_FALSE(system.Probe(0));
  EXPECT_FALSE(system.Probe(33));
  EXPECT_EQ(system.PortName(3), slave_);
  auto port = system.Open(3);
  ASSERT_TRUE(port);
  EXPECT_FALSE(system.Probe(3)) << "held by us now";
  EXPECT_FALSE(system.Open(3));
  EXPECT_FALSE(system.Open(4));
  EXPECT_FALSE(system.Open(33));

  EXPECT_EQ(system.Resolve(ParsePortArgument(slave_)), 3);
  EXPECT_EQ(system.Resolve(ParsePortArgument("COM9")), 9);
}

}  // namespace
}  // namespace mk::platform
