// SPDX-License-Identifier: GPL-3.0-or-later
// Differences in the editor's words, and taking pages of another image.
#include "settings/shown_diff.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "settings/setting_table.h"
#include "settings/take_pages.h"
#include "settings_env.h"
#include "text/error.h"

namespace mk::settings {
namespace {

using device::BlockId;

device::TMK Model(std::uint16_t device_version, std::uint8_t firmware) {
  device::TMK mk;
  test::UseVariant(mk, device_version, firmware);
  return mk;
}

struct ShownCase {
  const char* what;
  std::function<void(device::TMK&)> before, after;
  const char* line;
};

TEST(ShownDiff, SettingsInShownUnitsWithPageGroupAndCaption) {
  const auto limits = [](const char* field, std::int64_t v) {
    return [=](device::TMK& mk) { mk.Rec(BlockId::Limits).SetInt(field, v); };
  };
  const ShownCase cases[] = {
      {"half", limits("VelocityLimit", 60), limits("VelocityLimit", 65),
       "Границы / Скорость, км/час: 120 → 130"},
      {"tenths", limits("UaccLowLimit", 115), limits("UaccLowLimit", 120),
       "Границы / Низкое напряжение АКБ, В: 11.5 → 12.0"},
      {"choice", limits("VelocityMeth", 0), limits("VelocityMeth", 1),
       "Источники / Скорость: ЭБУ → Датч."},
      {"percent", [](device::TMK& mk) { mk.Rec(BlockId::Limits).SetFloat("VelocityCorr", 1.0); },
       [](device::TMK& mk) { mk.Rec(BlockId::Limits).SetFloat("VelocityCorr", 1.05); },
       "Поправки / Скорость, %: 0.0 → 5.0"},
      {"time in a group",
       [](device::TMK& mk) { mk.Rec(BlockId::Display).SetInt("IntenseDayTime", 480); },
       [](device::TMK& mk) { mk.Rec(BlockId::Display).SetInt("IntenseDayTime", 495); },
       "Источники / Яркость / Врем вкл. ДНЕВНОЙ яркости: 08:00 → 08:15"},
  };
  for (const ShownCase& c : cases) {
    device::TMK a = Model(99, 0), b = Model(99, 0);
    c.before(a);
    c.before(b);
    c.after(b);
    const ShownDiff d = DiffShown(a, b);
    ASSERT_EQ(d.changes.size(), 1u) << c.what;
    EXPECT_EQ(LineOf(d.changes[0]), c.line) << c.what;
    EXPECT_TRUE(d.hidden.empty() && d.other.empty() && d.header.empty()) << c.what;
  }
  const device::TMK same = Model(99, 0);
  EXPECT_TRUE(DiffShown(same, same).Empty());
}

TEST(ShownDiff, HiddenSettingsApartAndTheRestCountedPerJournal) {
  device::TMK a = Model(2, 0);  // the hybrid: no gas
  device::TMK b = a;
  b.Rec(BlockId::FuelSensor).SetInt("GazContFull", 70);
  for (std::size_t i = 0; i < 3; ++i) b.Rec(BlockId::Journals).Element("TripJournal", i)[0] ^= 1;
  b.Rec(BlockId::ErrorJournal).Element("ErrorRecords", 4)[7] ^= 1;
  // A flag bit shown by a setting is not counted again among the rest.
  b.Rec(BlockId::ServiceInfo)
      .SetInt("ConfigFlags", a.Rec(BlockId::ServiceInfo).GetInt("ConfigFlags") ^ 1);
  const ShownDiff d = DiffShown(a, b);
  ASSERT_EQ(d.hidden.size(), 1u);
  EXPECT_EQ(d.hidden[0].setting->name, "seGazContFull");
  EXPECT_EQ(d.hidden[0].unit, "л");
  ASSERT_EQ(d.changes.size(), 1u);
  EXPECT_EQ(d.changes[0].setting->name, "rgLockType");
  EXPECT_EQ(d.other, (std::vector<std::string>{"Журнал поездок: 3 записи различаются",
                                               "Журнал ошибок: 1 запись различается"}));
  const auto lines = LinesOf(d);
  EXPECT_EQ(lines[1], "Скрытые для этого МК настройки:");
}

TEST(ShownDiff, CountsTakeTheRussianPlural) {
  const std::pair<std::size_t, const char*> cases[] = {
      {1, "1 запись"},      {2, "2 записи"},    {4, "4 записи"},   {5, "5 записей"},
      {11, "11 записей"},   {14, "14 записей"}, {21, "21 запись"}, {22, "22 записи"},
      {111, "111 записей"}, {0, "0 записей"}};
  for (const auto& [n, text] : cases) {
    EXPECT_EQ(CountText(n, "запись", "записи", "записей"), text) << n;
  }
}

TEST(TakePages, OnlyTheChosenPagesAndOnlyWhatTheHeldVariantShows) {
  device::TMK held = Model(2, 0);
  device::TMK other = held;
  other.Rec(BlockId::Limits).SetInt("VelocityMeth", 1);  // Источники, shown
  other.Rec(BlockId::FuelSensor).SetInt("GazContFull", 70);  // Источники, hidden for the hybrid
  other.Rec(BlockId::Limits).SetInt("VelocityLimit", 65);  // Границы, not chosen
  const std::int64_t flags = held.Rec(BlockId::ServiceInfo).GetInt("ConfigFlags");
  other.Rec(BlockId::ServiceInfo).SetInt("ConfigFlags", flags ^ 0x101);  // lock type; gas (hidden)

  const device::TMK before = held;
  const TakeResult r = TakePages(other, held, {Page::Sources});
  EXPECT_EQ(held.Rec(BlockId::Limits).GetInt("VelocityMeth"), 1);
  EXPECT_EQ(held.Rec(BlockId::ServiceInfo).GetInt("ConfigFlags"), flags ^ 0x001);
  EXPECT_EQ(held.Rec(BlockId::FuelSensor).GetInt("GazContFull"),
            before.Rec(BlockId::FuelSensor).GetInt("GazContFull"));
  EXPECT_EQ(held.Rec(BlockId::Limits).GetInt("VelocityLimit"),
            before.Rec(BlockId::Limits).GetInt("VelocityLimit"));
  EXPECT_NE(std::ranges::find(r.skipped, FindSetting("seGazContFull")), r.skipped.end());
  EXPECT_EQ(PagesFromCaptions({"Дисплей", "Озвуч.сообщения"}),
            (std::vector<Page>{Page::Display, Page::Voice}));
  EXPECT_THROW(PagesFromCaptions({"Нет такой"}), Error);
}

TEST(TakeOffer, WhatTheHeldVariantHidesIsNotTakenTheRestInPageOrder) {
  // Device versions: 2 is the hybrid without gas, 99 shows all.
  const struct {
    std::uint16_t held, from;
    const char *changes, *not_taken;
  } cases[] = {
      {2, 2, "rgVelocityMeth seVelocityLimit", "seGazContFull"},
      {99, 2, "rgVelocityMeth seGazContFull seVelocityLimit", ""},  // hidden by the other only
  };
  for (const auto& c : cases) {
    device::TMK from = Model(c.from, 0);
    from.Rec(BlockId::Limits).SetInt("VelocityMeth", 1);
    from.Rec(BlockId::FuelSensor).SetInt("GazContFull", 70);
    from.Rec(BlockId::Limits).SetInt("VelocityLimit", 65);
    const TakeOffered offer = TakeOffer(Model(c.held, 0), from);
    // Other variants list other protocols too: only the settings changed here count.
    constexpr std::string_view kCounted = "rgVelocityMeth seGazContFull seVelocityLimit";
    std::string changes, not_taken;
    const auto add = [&](std::string& to, const Setting* s) {
      if (kCounted.find(s->name) == std::string_view::npos) return;
      to += (to.empty() ? "" : " ") + std::string(s->name);
    };
    for (const ShownChange& change : offer.changes) add(changes, change.setting);
    for (const Setting* s : offer.not_taken) add(not_taken, s);
    EXPECT_EQ(changes, c.changes) << c.held;
    EXPECT_EQ(not_taken, c.not_taken) << c.held;
  }
}

}  // namespace
}  // namespace mk::settings
