// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/number_format.h"

#include <gtest/gtest.h>

namespace mk::journal {
namespace {

TEST(NumberFormatTest, TwoDigitPadsOnlyOneDigit) {
  EXPECT_EQ(TwoDigit(0), "00");
  EXPECT_EQ(TwoDigit(7), "07");
  EXPECT_EQ(TwoDigit(12), "12");
  EXPECT_EQ(TwoDigit(255), "255");
}

TEST(NumberFormatTest, PlainAndHex4) {
  EXPECT_EQ(Plain(0), "0");
  EXPECT_EQ(Plain(-32768), "-32768");
  EXPECT_EQ(Plain(4294967295LL), "4294967295");
  EXPECT_EQ(Hex4(0), "0000");
  EXPECT_EQ(Hex4(0xABC), "0ABC");
  EXPECT_EQ(Hex4(0x12345), "12345");
  EXPECT_EQ(Hex4(0xFFFFFFFF), "FFFFFFFF");
}

TEST(NumberFormatTest, FixedTakesTheSeparatorAndNeverGroups) {
  EXPECT_EQ(Fixed(31.4, 3, ","), "31,400");
  EXPECT_EQ(Fixed(31.4, 3, "."), "31.400");
  EXPECT_EQ(Fixed(0, 1, ","), "0,0");
  EXPECT_EQ(Fixed(4294967.295, 3, ","), "4294967,295");
  EXPECT_EQ(Fixed(-1.25, 2, ","), "-1,25");
  EXPECT_EQ(Fixed(12.5, 0, ","), "12");
}

TEST(NumberFormatTest, ANegativeValueThatRoundsToZeroHasNoSign) {
  EXPECT_EQ(Fixed(-0.01, 1, ","), "0,0");
  EXPECT_EQ(Fixed(-0.0, 2, "."), "0.00");
}

TEST(NumberFormatTest, RoundingTakesHalvesToEven) {
  EXPECT_EQ(RoundedHalfEven(0.5), "0");
  EXPECT_EQ(RoundedHalfEven(1.5), "2");
  EXPECT_EQ(RoundedHalfEven(2.5), "2");
  EXPECT_EQ(RoundedHalfEven(2.5000001), "3");
  EXPECT_EQ(RoundedHalfEven(44.86), "45");
  EXPECT_EQ(RoundedHalfEven(15461882265.0), "15461882265");
}

}  // namespace
}  // namespace mk::journal
