// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/totals.h"

#include <gtest/gtest.h>

#include "text/byte_io.h"
#include "text/error.h"

namespace mk::journal {
namespace {

using bytes::WriteU32;
using Lines = std::vector<CaptionedValue>;

const TotalsGroup& Group(std::string_view caption) {
  for (const auto& g : kTotalsGroups) {
    if (g.caption == caption) return g;
  }
  throw std::logic_error("no such group");
}

TEST(TotalsTest, TheAllGroupAddsTheStartMileageToItsDistanceOnly) {
  std::vector<std::uint8_t> block(164, 0);
  WriteU32(block, 100, 150);
  EXPECT_EQ(TotalsLines(block, kTotalsGroups[0], ","), (Lines{{"Время", "0:00"},
                                                              {"Пробег, км", "150,000"},
                                                              {"Расход, л", "0,000"},
                                                              {"Ср.скорость, км/час", "-----"},
                                                              {"Ср.расход, л/100", "-----"},
                                                              {"Ср.расход, л/час", "-----"}}));
  EXPECT_EQ(TotalsLines(block, Group("Поездка"), ".")[1].second, "0.000");
}

TEST(TotalsTest, ANegativeStartMileageCountsBack) {
  std::vector<std::uint8_t> block(164, 0);
  WriteU32(block, 100, static_cast<std::uint32_t>(-2));
  WriteU32(block, 4, 500);
  EXPECT_EQ(TotalsLines(block, kTotalsGroups[0], ",")[1].second, "-1,500");
}

TEST(TotalsTest, AGroupWithBothFuelsShowsTheirSumAndOneDecimalAverages) {
  std::vector<std::uint8_t> block(164, 0);
  const TotalsGroup& reset2 = Group("Сброс 2 ( Между заправками )");
  WriteU32(block, 60, 30 * 3600 + 7 * 60 + 59);  // 30:07
  WriteU32(block, 64, 2'500'000);                // 2500 km
  WriteU32(block, 68, 150'000);                  // 150 l petrol
  WriteU32(block, 156, 50'000);                  // 50 l gas
  EXPECT_EQ(TotalsLines(block, reset2, ","), (Lines{{"Время", "30:07"},
                                                    {"Пробег, км", "2500,000"},
                                                    {"Расход, л", "200,000"},
                                                    {"Ср.скорость, км/час", "83,0"},
                                                    {"Ср.расход, л/100", "8,0"},
                                                    {"Ср.расход, л/час", "6,6"}}));
}

TEST(TotalsTest, SingleFuelGroupsReadTheirOwnFuelCounter) {
  std::vector<std::uint8_t> block(164, 0);
  WriteU32(block, 116, 7'000);  // petrol only
  WriteU32(block, 128, 3'000);  // gas only
  WriteU32(block, 136, 99'000);
  EXPECT_EQ(TotalsLines(block, Group("Только бензин"), ",")[2].second, "7,000");
  EXPECT_EQ(TotalsLines(block, Group("Только газ"), ",")[2].second, "3,000");
}

TEST(TotalsTest, AGroupThatCannotBeFormattedKeepsTheLinesSoFar) {
  const std::vector<std::uint8_t> only_seconds(6, 0);
  EXPECT_EQ(TotalsLines(only_seconds, kTotalsGroups[0], ","), (Lines{{"Время", "0:00"}}));
  std::vector<std::uint8_t> no_gas(136, 0);
  EXPECT_EQ(TotalsLines(no_gas, kTotalsGroups[0], ",").size(), 2u);
  EXPECT_TRUE(TotalsLines({}, kTotalsGroups[7], ",").empty());
}

TEST(TotalsTest, ClearingZeroesTheGroupsCountersAndNothingElse) {
  std::vector<std::uint8_t> block(164);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<std::uint8_t>(i | 1);
  std::vector<std::uint8_t> expected = block;
  for (const std::size_t at : {0, 4, 8, 136}) bytes::WriteU32(expected, at, 0);
  ClearTotalsGroup(block, kTotalsGroups[0]);
  EXPECT_EQ(block, expected);

  for (const std::size_t at : {120, 124, 128}) bytes::WriteU32(expected, at, 0);
  ClearTotalsGroup(block, Group("Только газ"));
  EXPECT_EQ(block, expected) << "the gas-only group has no fourth counter";
}

TEST(TotalsTest, ClearingAShortBlockChangesNothing) {
  std::vector<std::uint8_t> block(139, 7);  // the All group's gas counter is cut
  EXPECT_THROW(ClearTotalsGroup(block, kTotalsGroups[0]), RangeError);
  EXPECT_EQ(block, std::vector<std::uint8_t>(139, 7));
}

}  // namespace
}  // namespace mk::journal
