// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of merging reads into the history: nothing twice, the trip in
// progress, nothing lost, the totals of another MK, the statistics' sums.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/history_store.h"
#include "history/snapshot_builder.h"
#include "support/files.h"

namespace mk::history {
namespace {

using test::At;
using test::Read;
using test::Trip;

std::vector<std::string> TripTimes(HistoryStore& store) {
  std::vector<std::string> out;
  for (const auto& e : store.Entries(EntryKind::Trip, {})) {
    out.push_back(IsoText(e.entry.time) + (e.provisional ? "*" : "") + " " +
                  std::to_string(e.entry.metres / 1000));
  }
  return out;
}

struct MergeCase {
  const char* name;
  std::vector<ReadSnapshot> reads;
  std::vector<std::string> expected;  // trip time, "*" when provisional, km
};

class Merging : public ::testing::TestWithParam<MergeCase> {};

TEST_P(Merging, KeepsEveryTripOnceAndLosesNone) {
  mk::tests::TempFolder dir("history");
  HistoryStore store(dir.path() / "history.sqlite");
  for (const auto& r : GetParam().reads) store.Import(r, {});
  EXPECT_EQ(TripTimes(store), GetParam().expected);
}

const auto kT1 = Trip("2026-03-01T08:00", 10);
const auto kT2 = Trip("2026-03-02T08:00", 20);
const auto kT3 = Trip("2026-03-03T08:00", 30);

INSTANTIATE_TEST_SUITE_P(
    Reads, Merging,
    ::testing::Values(
        MergeCase{
            "SameReadTwice",
            {Read("2026-03-03T12:00", {kT3, kT2, kT1}), Read("2026-03-03T12:00", {kT3, kT2, kT1})},
            {"2026-03-01T08:00 10", "2026-03-02T08:00 20", "2026-03-03T08:00* 30"}},
        MergeCase{"ShiftedJournal",
                  {Read("2026-03-02T12:00", {kT2, kT1}), Read("2026-03-04T12:00", {kT3, kT2})},
                  {"2026-03-01T08:00 10", "2026-03-02T08:00 20", "2026-03-03T08:00* 30"}},
        MergeCase{"OlderFileAgain",
                  {Read("2026-03-04T12:00", {kT3, kT2}, 2000),
                   Read("2026-03-02T12:00", {kT2, kT1}, 1000)},
                  {"2026-03-01T08:00 10", "2026-03-02T08:00 20", "2026-03-03T08:00* 30"}},
        MergeCase{"TripInProgressGrows",
                  {Read("2026-03-03T09:00", {Trip("2026-03-03T08:00", 5), kT2}),
                   Read("2026-03-03T12:00", {kT3, kT2})},
                  {"2026-03-02T08:00 20", "2026-03-03T08:00* 30"}},
        MergeCase{"GrownTripNowOlderSlot",
                  {Read("2026-03-03T09:00", {Trip("2026-03-03T08:00", 5), kT2}),
                   Read("2026-03-04T12:00", {Trip("2026-03-04T08:00", 1), kT3, kT2})},
                  {"2026-03-02T08:00 20", "2026-03-03T08:00 30", "2026-03-04T08:00* 1"}},
        MergeCase{"ClearedJournalLosesNothing",
                  {Read("2026-03-03T12:00", {kT3, kT2}), Read("2026-03-05T12:00", {})},
                  {"2026-03-02T08:00 20", "2026-03-03T08:00 30"}},
        MergeCase{"ClearedThenNewTripKeepsTheOld",
                  {Read("2026-03-03T12:00", {kT3}),
                   Read("2026-03-05T12:00", {Trip("2026-03-05T08:00", 2)})},
                  {"2026-03-03T08:00 30", "2026-03-05T08:00* 2"}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

struct TotalsCase {
  const char* name;
  std::uint32_t first, second;
  const char* second_time;
  bool explicit_vehicle;
  bool refused;
};

class TotalsCheck : public ::testing::TestWithParam<TotalsCase> {};

TEST_P(TotalsCheck, RefusesTotalsBelowTheVehiclesUnlessNamed) {
  const auto& c = GetParam();
  mk::tests::TempFolder dir("history");
  HistoryStore store(dir.path() / "history.sqlite");
  store.Import(Read("2026-03-02T12:00", {kT2}, c.first), {});
  ImportTarget target;
  target.accept_lower_totals = c.explicit_vehicle;
  const auto second = Read(c.second_time, {kT3}, c.second);
  if (c.refused) {
    EXPECT_THROW(store.Import(second, target), TotalsBelowError);
    EXPECT_EQ(store.Entries(EntryKind::Trip, {}).size(), 1u);  // nothing of it written
  } else {
    EXPECT_EQ(store.Import(second, target).trips_added, 1);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Counters, TotalsCheck,
    ::testing::Values(TotalsCase{"Equal", 1000, 1000, "2026-03-04T12:00", false, false},
                      TotalsCase{"Grown", 1000, 1001, "2026-03-04T12:00", false, false},
                      TotalsCase{"OneBelow", 1000, 999, "2026-03-04T12:00", false, true},
                      TotalsCase{"BelowButNamed", 1000, 10, "2026-03-04T12:00", true, false},
                      TotalsCase{"OlderFileLower", 1000, 999, "2026-03-01T12:00", false, false},
                      TotalsCase{"OlderFileHigher", 1000, 1001, "2026-03-01T12:00", false, true}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(Vehicles, FirstImportNamedForTheModelLaterOnesGoToTheLastUsed) {
  mk::tests::TempFolder dir("history");
  HistoryStore store(dir.path() / "history.sqlite");
  EXPECT_FALSE(store.LastVehicle());
  auto first = store.Import(Read("2026-03-02T12:00", {kT2}), {});
  EXPECT_EQ(first.vehicle, "МК 3");
  EXPECT_TRUE(first.new_vehicle);
  ImportTarget other;
  other.vehicle = "Газель";
  other.accept_lower_totals = true;
  store.Import(Read("2026-03-02T12:00", {kT2}, 5), other);
  EXPECT_EQ(store.Import(Read("2026-03-03T12:00", {kT3}, 6), {}).vehicle, "Газель");
  EXPECT_EQ(store.Entries(EntryKind::Trip, {"Газель", {}, {}}).size(), 2u);
  EXPECT_EQ(store.Entries(EntryKind::Trip, {"МК 3", {}, {}}).size(), 1u);
  ASSERT_EQ(store.Vehicles().size(), 2u);
}

TEST(Statistics, PerMonthAndYearEqualTheSumsOfTheTrips) {
  mk::tests::TempFolder dir("history");
  HistoryStore store(dir.path() / "history.sqlite");
  store.Import(Read("2026-02-01T12:00", {Trip("2026-01-31T23:59", 1), Trip("2025-12-31T10:00", 2)}),
               {});
  store.Import(Read("2026-02-02T12:00", {Trip("2026-02-01T00:00", 4)}), {});
  const auto months = store.Stats(Period::Month, {});
  ASSERT_EQ(months.size(), 4u);
  EXPECT_EQ(months[0].period, "2025-12");
  EXPECT_EQ(months[1].period, "2026-01");
  EXPECT_EQ(months[2].period, "2026-02");
  EXPECT_EQ(months[3].period, "Итого");
  EXPECT_EQ(months[3].trips, 3);
  EXPECT_EQ(months[3].metres, 7000);
  EXPECT_EQ(months[3].road_s, 420);
  EXPECT_DOUBLE_EQ(months[3].cost, 7 * 80 / 1000.0 * 50);
  EXPECT_DOUBLE_EQ(*months[2].LitresPer100Km(), 8.0);
  const auto years = store.Stats(Period::Year, {"", At("2026-01-01"), {}});
  ASSERT_EQ(years.size(), 2u);
  EXPECT_EQ(years[0].period, "2026");
  EXPECT_EQ(years[0].trips, 2);
}

TEST(Statistics, TripYearsAreTheYearsWithTripsAcrossAGap) {
  mk::tests::TempFolder dir("history");
  HistoryStore store(dir.path() / "history.sqlite");
  store.Import(Read("2026-01-02T12:00", {Trip("2026-01-01T00:00", 1), Trip("2023-12-31T23:59", 2)}),
               {});
  EXPECT_EQ(store.TripYears({}), (std::vector<int>{2023, 2026}));
  EXPECT_EQ(store.TripYears({"", At("2024-01-01"), {}}), std::vector<int>{2026});
  EXPECT_TRUE(store.TripYears({"Газель", {}, {}}).empty());
}

}  // namespace
}  // namespace mk::history
