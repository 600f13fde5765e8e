// SPDX-License-Identifier: GPL-3.0-or-later
// The charts' drawing lists stay inside their picture and say when there is
// nothing to draw; the CSV export is what spreadsheets read.
#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "history/charts.h"
#include "history/snapshot_builder.h"
#include "history/tables.h"

namespace mk::history {
namespace {

using test::Trip;

bool HasText(const scope::OscPicture& p, const std::string& text) {
  for (const auto& op : p.ops) {
    if (const auto* t = std::get_if<scope::TextOp>(&op); t && t->text == text) return true;
  }
  return false;
}

TEST(Charts, EveryKindDrawsInsideItsPictureOrSaysThereIsNoData) {
  std::vector<StoredEntry> trips, refuels;
  for (int i = 0; i < 30; ++i) {
    const std::string at = "2026-03-" + std::string(i < 9 ? "0" : "") + std::to_string(i + 1);
    auto t = Trip((at + "T08:00").c_str(), static_cast<std::uint32_t>(i + 1));
    trips.push_back({t, 0, "МК 3", false});
    if (i % 7 == 0) refuels.push_back({t, 0, "МК 3", false});
  }
  trips.push_back({Trip("2026-04-01T08:00", 0), 0, "МК 3", false});  // no distance: no point
  const std::vector<StatsRow> months{{"2026-02", 3, 100, 5000, 400, 1},
                                     {"2026-03", 30, 900, 90000, 7000, 9},
                                     {"Итого", 33, 1000, 95000, 7400, 10}};
  // And years of them, more than the picture has columns.
  std::vector<StoredEntry> years_of_trips;
  for (int i = 0; i < 3000; ++i) {
    auto t = Trip("2020-01-01T08:00", static_cast<std::uint32_t>(i % 50 + 1));
    t.time += 1440LL * i;
    years_of_trips.push_back({t, 0, "МК 3", false});
  }
  for (auto kind : {ChartKind::Consumption, ChartKind::Monthly, ChartKind::Refuels})
    for (const auto* data : {&trips, &years_of_trips}) {
      const auto p = DrawChart(kind, *data, data == &trips ? refuels : *data, months, {600, 300});
      EXPECT_FALSE(HasText(p, "Нет данных"));
      for (const auto& op : p.ops) {
        if (const auto* l = std::get_if<scope::LineOp>(&op)) {
          EXPECT_TRUE(l->x0 >= 0 && l->x1 <= 600 && l->y0 >= 0 && l->y1 <= 300);
        }
        if (const auto* f = std::get_if<scope::FillOp>(&op)) {
          EXPECT_TRUE(f->x >= 0 && f->y >= 0 && f->x + f->width <= 600 && f->y + f->height <= 300)
              << f->x << "," << f->y << " " << f->width << "x" << f->height;
        }
      }
      EXPECT_TRUE(HasText(DrawChart(kind, {}, {}, {{"Итого"}}, {600, 300}), "Нет данных"));
    }
}

TEST(Tables, CsvHasAByteOrderMarkSemicolonsAndQuotesWhatNeedsIt) {
  EXPECT_EQ(CsvText({{"Автомобиль", "Пробег, км"}, {"Газель; белая", "12,500"}, {"a\"b", ""}}),
            "\xEF\xBB\xBFАвтомобиль;Пробег, км\r\n\"Газель; белая\";12,500\r\n\"a\"\"b\";\r\n");
  const auto grid = EntryTable({{Trip("2026-03-05T07:05", 2), 8.04, "МК 3", false}}, ",");
  ASSERT_EQ(grid.size(), 2u);
  EXPECT_EQ(grid[1], (std::vector<std::string>{"МК 3", "05.03.2026 07:05", "0:02", "2,000", "0,160",
                                               "60", "8,0", "4,80", "8,0"}));
}

}  // namespace
}  // namespace mk::history
