// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/serial_termios.h"

#include <gtest/gtest.h>

namespace mk::platform {
namespace {

TEST(TermiosTest, ParityFollowsTheWindowsEncoding) {
  struct Case {
    std::uint8_t parity;
    tcflag_t bits;
  };
  for (const Case c : {Case{0, 0}, Case{1, PARENB | PARODD}, Case{2, PARENB},
                       Case{3, PARENB | PARODD | CMSPAR}, Case{4, PARENB | CMSPAR}}) {
    termios t{};
    t.c_cflag = CS8 | CSTOPB | PARENB | PARODD | CMSPAR;
    EXPECT_TRUE(ApplyParity(t, c.parity));
    EXPECT_EQ(t.c_cflag & (PARENB | PARODD | CMSPAR), c.bits) << int(c.parity);
    EXPECT_EQ(t.c_cflag & (CSIZE | CSTOPB), static_cast<tcflag_t>(CS8 | CSTOPB));
  }
  termios t{};
  t.c_cflag = PARENB;
  EXPECT_FALSE(ApplyParity(t, 5));
  EXPECT_EQ(t.c_cflag, static_cast<tcflag_t>(PARENB));
}

TEST(TermiosTest, StopBitsAndByteSizeFollowTheWindowsEncoding) {
  termios t{};
  t.c_cflag = CS8 | PARENB;
  EXPECT_TRUE(ApplyStopBits(t, 2));
  EXPECT_NE(t.c_cflag & CSTOPB, 0u);
  EXPECT_TRUE(ApplyStopBits(t, 0));
  EXPECT_EQ(t.c_cflag & CSTOPB, 0u);
  EXPECT_TRUE(ApplyStopBits(t, 1));
  EXPECT_NE(t.c_cflag & CSTOPB, 0u);
  EXPECT_FALSE(ApplyStopBits(t, 3));
  EXPECT_NE(t.c_cflag & CSTOPB, 0u);

  EXPECT_TRUE(ApplyByteSize(t, 5));
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS5));
  EXPECT_TRUE(ApplyByteSize(t, 7));
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
  EXPECT_FALSE(ApplyByteSize(t, 4));
  EXPECT_FALSE(ApplyByteSize(t, 9));
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS7));
  EXPECT_NE(t.c_cflag & PARENB, 0u) << "other fields stay";
}

}  // namespace
}  // namespace mk::platform
