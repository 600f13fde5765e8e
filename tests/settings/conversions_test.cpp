// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/conversions.h"

#include <gtest/gtest.h>

#include "text/error.h"

namespace mk::settings {
namespace {

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.5000001), 3);
}

struct PercentCase {
  const char* name;
  float factor;
  double shown;
};

class PercentShownTest : public ::testing::TestWithParam<PercentCase> {};

TEST_P(PercentShownTest, ShowsOneDecimalAfterTheNudge) {
  EXPECT_DOUBLE_EQ(PercentShown(GetParam().factor), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Factors, PercentShownTest,
                         ::testing::Values(PercentCase{"ExactlyOne", 1.0f, 0.0},
                                           PercentCase{"JustBelowOne", 0.9999999f, 0.0},
                                           PercentCase{"OnePointZeroZeroOneFive", 1.0015f, 0.2},
                                           PercentCase{"MinusNinetyNine", 0.01f, -99.0},
                                           PercentCase{"TenPercentMore", 1.1f, 10.0},
                                           PercentCase{"FivePercentLess", 0.95f, -5.0}),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(Percent, StoredFactorIsOnePlusAHundredth) {
  EXPECT_DOUBLE_EQ(PercentStored(0), 1.0);
  EXPECT_NEAR(PercentStored(-99), 0.01, 1e-12);
  EXPECT_NEAR(PercentStored(999.9), 10.999, 1e-12);
  EXPECT_DOUBLE_EQ(PercentShown(static_cast<float>(PercentStored(12.3))), 12.3);
}

TEST(TimeOfDay, ShowsHoursModulo24AndStoresMinutes) {
  EXPECT_EQ(TimeShown(0), "00:00");
  EXPECT_EQ(TimeShown(7 * 60 + 5), "07:05");
  EXPECT_EQ(TimeShown(1500), "01:00");  // 25:00
  EXPECT_EQ(TimeShown(23 * 60 + 59), "23:59");
  EXPECT_EQ(TimeStored("07:05"), 425);
  EXPECT_EQ(TimeStored("25:00"), 1500);
  EXPECT_EQ(TimeStored("7:05"), 0);
  EXPECT_EQ(TimeStored(""), 0);
  EXPECT_EQ(TimeStored("0_:3_"), 3);  // blanks of the mask count as nothing
  for (const char* in_day : {"00:00", "23:59", "0_:3_", "", "2130"}) {
    EXPECT_TRUE(TimeInDay(in_day)) << in_day;
  }
  for (const char* past : {"24:00", "25:99", "23:60", "99:00"})
    EXPECT_FALSE(TimeInDay(past)) << past;
}

TEST(DayNumber, FollowsTheMksCalendar) {
  EXPECT_EQ(DayNumber({1, 1, 0}), 2u);
  EXPECT_EQ(DayNumber({31, 12, 0}), 367u);
  EXPECT_EQ(DayNumber({1, 1, 1}), 367u);
  EXPECT_EQ(DayNumber({1, 3, 4}), 365u * 4 + 0 + 31 + 29 + 1 + 1);
  EXPECT_EQ(DayNumber({10, 10, 11}), 4301u);
  EXPECT_THROW(DayNumber({30, 2, 4}), RangeError);
  EXPECT_THROW(DayNumber({29, 2, 5}), RangeError);
  EXPECT_THROW(DayNumber({1, 13, 5}), RangeError);
  EXPECT_NO_THROW(DayNumber({31, 12, 99}));
  EXPECT_THROW(DayNumber({1, 1, 180}), RangeError);  // above 65535
}

TEST(DayNumber, RunsBackwards) {
  EXPECT_EQ(DayShown(0), "");
  EXPECT_EQ(DayShown(2), "01.01.00");
  EXPECT_EQ(DayShown(366), "30.12.00");
  EXPECT_EQ(DayShown(367), "01.01.01");
  EXPECT_EQ(DayShown(4301), "10.10.11");
  for (std::uint32_t day : {368u, 1000u, 4392u, 20000u, 36525u}) {
    EXPECT_EQ(DayStored(DayShown(day)), day) << day;
  }
  // Every day number from 2 to the last of 2099 gives a date; none outside.
  for (std::uint32_t day = 0; day <= 65535; ++day) {
    EXPECT_EQ(IsDayOfDate(day), day >= 2 && day <= 36525u) << day;
  }
}

TEST(DayNumber, ReadsOnlyItsOwnForm) {
  EXPECT_EQ(DayStored(""), 0u);
  EXPECT_EQ(DayStored("01.01.01"), 367u);
  EXPECT_THROW(DayStored("1.1.01"), Error);
  EXPECT_THROW(DayStored("01/01/01"), Error);
  EXPECT_THROW(DayStored("32.01.01"), RangeError);
}

TEST(ForsCoef, ItemsStoreOneTwoFour) {
  EXPECT_EQ(ForsCoefStored(0), 1);
  EXPECT_EQ(ForsCoefStored(1), 2);
  EXPECT_EQ(ForsCoefStored(2), 4);
  EXPECT_EQ(ForsCoefIndex(1), 0);
  EXPECT_EQ(ForsCoefIndex(2), 1);
  EXPECT_EQ(ForsCoefIndex(4), 2);
  EXPECT_EQ(ForsCoefIndex(0), 2);
  EXPECT_EQ(ForsCoefIndex(255), 2);
}

TEST(Bits, SetAndClearLeaveTheOthers) {
  EXPECT_EQ(SetBits(0xFFFF, 6, 1, 0), 0xFFBFu);
  EXPECT_EQ(SetBits(0, 11, 1, 1), 0x800u);
  EXPECT_EQ(SetBits(0x83, 0, 2, 2), 0x82u);
  EXPECT_EQ(GetBits(0x83, 0, 2), 3u);
  EXPECT_EQ(GetBits(0x83, 7, 1), 1u);
  EXPECT_EQ(SetBits(0, 0, 1, 2), 0u);  // a value wider than its bits is cut
}

TEST(Numbers, FormatWithTheSeparatorAndReadBoth) {
  EXPECT_EQ(FormatNumber(12.25, 1, ','), "12,2");
  EXPECT_EQ(FormatNumber(-0.04, 1, '.'), "0.0");
  EXPECT_EQ(FormatNumber(120, 0, ','), "120");
  EXPECT_EQ(ParseNumber("1,5"), 1.5);
  EXPECT_EQ(ParseNumber("-7"), -7);
  EXPECT_FALSE(ParseNumber(""));
  EXPECT_FALSE(ParseNumber("12a"));
  EXPECT_FALSE(ParseNumber("+1"));
  EXPECT_FALSE(ParseNumber("nan"));
}

}  // namespace
}  // namespace mk::settings
