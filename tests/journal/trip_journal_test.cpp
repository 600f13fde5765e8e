// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/trip_journal.h"

#include <gtest/gtest.h>

#include "journal/text_grid.h"
#include "journal_bytes.h"
#include "text/error.h"

namespace mk::journal {
namespace {

using test::PutTrip;

using Columns = std::array<std::string, 8>;

// Where the two journals lie in the Journals block.
constexpr std::size_t kTrips = 16;
constexpr std::size_t kTanks = 436;

TEST(TripColumnsTest, AnEmptySlotShowsPustoWhateverItsCounters) {
  TripRecord r{600, 0, 3, 3600, 50000, 4000, 100};
  EXPECT_EQ(TripColumns(r, {}, ","), (Columns{"Пусто", "", "", "", "", "", "", ""}));
}

TEST(TripColumnsTest, ZeroCountersShowZerosAndDashesInTheAverages) {
  TripRecord r{7 * 60 + 5, 3, 9, 0, 0, 0, 0};
  EXPECT_EQ(TripColumns(r, {250, 100, 30, 120}, ","),
            (Columns{"07:05   3.09", "0:00", "0,000", "0,000", "---", "---", "---", "0,0"}));
}

TEST(TripColumnsTest, ATripWithBothFuelsAndEveryPrice) {
  // 2 h 5 min 30 s, 125.6 km, 9.5 l petrol and 2.25 l gas.
  TripRecord r{18 * 60 + 42, 14, 3, 7530, 125600, 9500, 2250};
  const Prices prices{250, 100, 30, 120};  // 25.0 and 12.0 a litre, 3.0 a km, 100 an hour
  // cost = (125.6 * 30 + 9.5 * 250 + 2.25 * 120 + 7530 / 360 * 100) / 10
  EXPECT_EQ(TripColumns(r, prices, ","),
            (Columns{"18:42   14.03", "2:05", "125,600", "11,750", "60", "9,4", "5,62", "850,5"}));
  EXPECT_EQ(TripColumns(r, prices, ".")[3], "11.750");
  EXPECT_EQ(TripColumns(r, prices, ".")[7], "850.5");
}

TEST(TripColumnsTest, TheHourWrapsAtMidnightButHoursOnTheRoadDoNot) {
  TripRecord r{1500, 1, 12, 100 * 3600 + 59 * 60 + 59, 1000, 0, 0};
  const Columns c = TripColumns(r, {}, ",");
  EXPECT_EQ(c[0], "01:00   1.12");
  EXPECT_EQ(c[1], "100:59");
}

TEST(TripColumnsTest, AverageSpeedRoundsHalvesToEven) {
  // 25, 35 and 45 m in 36 s are 2.5, 3.5 and 4.5 km/h exactly.
  EXPECT_EQ(TripColumns({0, 1, 1, 36, 25, 0, 0}, {}, ",")[4], "2");
  EXPECT_EQ(TripColumns({0, 1, 1, 36, 35, 0, 0}, {}, ",")[4], "4");
  EXPECT_EQ(TripColumns({0, 1, 1, 36, 45, 0, 0}, {}, ",")[4], "4");
  EXPECT_EQ(TripColumns({0, 1, 1, 36, 46, 0, 0}, {}, ",")[4], "5");
}

TEST(TripColumnsTest, HugeCountersStillGiveTexts) {
  TripRecord r{0xFFFF, 255, 255, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};
  const Columns c = TripColumns(r, {-32768, 32767, -32768, 32767}, ",");
  EXPECT_EQ(c[0], "12:15   255.255");
  EXPECT_EQ(c[1], "1193046:28");
  // The MK sums its fuels in 32 bits: 0xFFFFFFFF + 0xFFFFFFFF is 0xFFFFFFFE.
  EXPECT_EQ(c[3], "4294967,294");
  EXPECT_EQ(c[4], "4");
  for (const auto& text : c) EXPECT_FALSE(text.empty());
}

TEST(JournalGridTest, HeadersLabelsAndSlotsOfBothJournals) {
  std::vector<std::uint8_t> block(860, 0);
  PutTrip(block, kTrips, 60, 2, 3, 60, 1000, 100, 0);
  PutTrip(block, kTanks + 20 * 20, 120, 4, 5, 3600, 2000, 0, 0);
  const TextGrid trips = JournalGrid(block, JournalKind::Trip, ",");
  ASSERT_EQ(trips.size(), 22u);
  EXPECT_EQ(trips[0],
            (std::vector<std::string>{"#", "Дата и время записи", "Время в пути", "Пробег, км",
                                      "Расход топлива, л", "Ср. скорость, км/час",
                                      "Ср. расход на 100 км", "Ср. расход в час", "Стоимость"}));
  EXPECT_EQ(trips[1][0], "Посл.");
  EXPECT_EQ(trips[1][1], "01:00   2.03");
  EXPECT_EQ(trips[2][0], "1");
  EXPECT_EQ(trips[21][0], "20");
  EXPECT_EQ(trips[21][1], "Пусто");
  for (const auto& row : trips) EXPECT_EQ(row.size(), 9u);

  const TextGrid tanks = JournalGrid(block, JournalKind::Tank, ",");
  EXPECT_EQ(tanks[1][1], "Пусто");
  EXPECT_EQ(tanks[21][1], "02:00   4.05");
}

TEST(JournalGridTest, ABlockTooShortShowsItsMissingSlotsEmpty) {
  std::vector<std::uint8_t> block(16 + 20 * 2 + 5, 0);
  PutTrip(block, kTrips + 20, 60, 2, 3, 60, 1000, 100, 0);
  const TextGrid trips = JournalGrid(block, JournalKind::Trip, ",");
  ASSERT_EQ(trips.size(), 22u);
  EXPECT_EQ(trips[2][1], "01:00   2.03");
  EXPECT_EQ(trips[3][1], "Пусто");
  EXPECT_EQ(JournalGrid({}, JournalKind::Tank, ",")[1][1], "Пусто");
}

TEST(JournalGridTest, AShortRecordIsARangeErrorNotZeros) {
  const std::vector<std::uint8_t> short_record(19, 1);
  EXPECT_THROW(TripRecord::Read(short_record), RangeError);
}

}  // namespace
}  // namespace mk::journal
