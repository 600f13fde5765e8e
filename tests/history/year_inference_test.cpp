// SPDX-License-Identifier: GPL-3.0-or-later
// The years of journal slots that carry only day, month and time of day.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "history/local_time.h"
#include "history/records.h"

namespace mk::history {
namespace {

struct YearCase {
  const char* name;
  const char* read_time;
  std::vector<SlotDate> slots;
  std::vector<std::string> expected;  // IsoText of each slot, "" for none
};

class YearInference : public ::testing::TestWithParam<YearCase> {};

TEST_P(YearInference, PlacesEverySlotInItsYear) {
  const auto& c = GetParam();
  const auto times = InferTimes(*ParseIsoTime(c.read_time), c.slots);
  ASSERT_EQ(times.size(), c.expected.size());
  for (std::size_t i = 0; i < times.size(); ++i) {
    EXPECT_EQ(times[i] ? IsoText(*times[i]) : "", c.expected[i]) << "slot " << i;
  }
}

// Minutes 420 = 07:00, 600 = 10:00, 720 = 12:00.
INSTANTIATE_TEST_SUITE_P(
    Boundaries, YearInference,
    ::testing::Values(
        YearCase{"NewYearBetweenSlots",
                 "2026-01-01T10:00",
                 {{1, 1, 420}, {31, 12, 720}, {31, 12, 720}, {1, 12, 0}},
                 {"2026-01-01T07:00", "2025-12-31T12:00", "2025-12-31T12:00", "2025-12-01T00:00"}},
        YearCase{"LatestOverAWeekAfterReadTimeIsLastYear",
                 "2026-03-10T10:00",
                 {{17, 3, 720}, {10, 3, 600}},
                 {"2025-03-17T12:00", "2025-03-10T10:00"}},
        YearCase{"LatestWithinAWeekAfterReadTimeIsAClockAhead",
                 "2026-12-30T10:00",
                 {{6, 1, 600}, {30, 12, 720}},
                 {"2027-01-06T10:00", "2026-12-30T12:00"}},
        YearCase{
            "LatestAtReadTimeIsThisYear", "2026-03-10T10:00", {{10, 3, 600}}, {"2026-03-10T10:00"}},
        YearCase{"LeapDayInLeapYear",
                 "2028-03-01T10:00",
                 {{1, 3, 0}, {29, 2, 600}},
                 {"2028-03-01T00:00", "2028-02-29T10:00"}},
        YearCase{
            "LeapDayGoesBackToLeapYear", "2027-03-01T10:00", {{29, 2, 600}}, {"2024-02-29T10:00"}},
        YearCase{"JournalOlderThanAYear",
                 "2026-03-10T10:00",
                 {{5, 3, 0}, {1, 1, 0}, {20, 12, 0}, {10, 3, 0}, {1, 4, 0}},
                 {"2026-03-05T00:00", "2026-01-01T00:00", "2025-12-20T00:00", "2025-03-10T00:00",
                  "2024-04-01T00:00"}},
        YearCase{"EmptyAndImpossibleSlotsPassedOver",
                 "2026-03-10T10:00",
                 {{0, 3, 0}, {31, 4, 0}, {9, 13, 0}, {9, 3, 0}},
                 {"", "", "", "2026-03-09T00:00"}},
        YearCase{"MinutesPastMidnightAsShown",
                 "2026-03-10T10:00",
                 {{9, 3, 1500}},
                 {"2026-03-09T01:00"}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(LocalTime, IsoTextRoundTripsAndRefusesWhatIsNoTime) {
  for (const char* text : {"1970-01-01T00:00", "2024-02-29T23:59", "2100-12-31T12:30"}) {
    EXPECT_EQ(IsoText(*ParseIsoTime(text)), text);
  }
  EXPECT_EQ(IsoText(*ParseIsoTime("2026-03-05")), "2026-03-05T00:00");
  for (const char* bad : {"2025-02-29", "2026-13-01", "2026-03-05T24:00", "2026-03-05 10:00",
                          "26-03-05", "2026-03-05T10:0"}) {
    EXPECT_FALSE(ParseIsoTime(bad)) << bad;
  }
}

}  // namespace
}  // namespace mk::history
