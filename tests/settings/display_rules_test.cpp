// SPDX-License-Identifier: GPL-3.0-or-later
// The decisions behind the "Дисплей" sub-pages: parameter menus of the
// previews, colour schemes, hot-menu editing and the show-display boxes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "catalog/catalogues.h"
#include "device/mk.h"
#include "settings/changed_settings.h"
#include "settings/color_schemes.h"
#include "settings/hot_menus.h"
#include "settings/screen_menus.h"
#include "settings/show_displays.h"
#include "text/error.h"

namespace mk::settings {
namespace {

using catalog::Feature;
using catalog::Features;
using preview::ScreenKind;

// --- Previews: where a click lands, what the menu offers ---------------------

TEST(PlaceMenus, RightClickInTheLowerRightQuarterOfAnX4EditsPlace3) {
  device::TMK mk;
  const auto hit = HitPlace(ScreenKind::X4, 2, 300, 200, 320, 240);
  ASSERT_TRUE(hit);
  EXPECT_EQ(hit->place, 3);
  ChoosePlaceCode(mk, *hit, 44);
  EXPECT_EQ(mk.Rec(device::BlockId::Display).GetInt("Disp4Params", 2, 3), 44);
  EXPECT_EQ(mk.Rec(device::BlockId::Display).GetInt("Disp4Params", 2, 2), 5);  // default kept
}

TEST(PlaceMenus, X3BandsEditTheFirstThreePlacesOfTheX7Screen) {
  device::TMK mk;
  ChoosePlaceCode(mk, *HitPlace(ScreenKind::X3, 1, 5, 5, 320, 240), 40);
  ChoosePlaceCode(mk, *HitPlace(ScreenKind::X3, 1, 5, 5 * 34 + 1, 320, 240), 41);
  const device::Record& d = mk.Rec(device::BlockId::Display);
  EXPECT_EQ(d.GetInt("Disp7Params", 1, 0), 40);
  EXPECT_EQ(d.GetInt("Disp7Params", 1, 1), 41);
}

TEST(PlaceMenus, AClickBelow180OnAGraphDoesNothing) {
  EXPECT_FALSE(HitPlace(ScreenKind::Graph, 0, 10, 181, 320, 240));
  EXPECT_FALSE(HitPlace(ScreenKind::Graph, 8, 10, 10, 320, 240));  // no ninth graph screen
}

TEST(PlaceMenus, EachPlaceOffersItsKindInProtocolOrderWithTheCurrentChecked) {
  const catalog::Catalogues c;
  const catalog::TProtBase* protocol = c.CurrentProtocol();
  ASSERT_NE(protocol, nullptr);
  const auto digits = PlaceMenu(c, ScreenKind::X9, 4, 13);
  ASSERT_FALSE(digits.empty());
  EXPECT_EQ(digits.front().code, protocol->ParamCodes.front());
  EXPECT_EQ(std::count_if(digits.begin(), digits.end(), [](auto& i) { return i.checked; }), 1);
  EXPECT_TRUE(std::find_if(digits.begin(), digits.end(), [](auto& i) { return i.checked; })->code ==
              13);

  const auto upper = PlaceMenu(c, ScreenKind::Graph, 0, 0);
  for (const auto& item : upper) EXPECT_TRUE(c.Params().FindByCode(item.code)->GraphCapable);
  EXPECT_TRUE(std::none_of(upper.begin(), upper.end(), [](auto& i) { return i.checked; }));

  const auto lower = PlaceMenu(c, ScreenKind::Graph, 1, 0);
  ASSERT_EQ(lower.size(), upper.size() + 1);
  EXPECT_EQ(lower.front().name, "Отсутствует");
  EXPECT_EQ(lower.front().code, 0);
  EXPECT_TRUE(lower.front().checked);

  for (int dial = 0; dial < 2; ++dial) {
    const auto items = PlaceMenu(c, ScreenKind::Arrow, dial, 12);
    ASSERT_FALSE(items.empty());
    for (const auto& item : items) EXPECT_EQ(c.Params().FindByCode(item.code)->GaugeKind, dial + 1);
  }
}

// --- Colour schemes -------------------------------------------------------------

TEST(ColorSchemes, PackingFullChannelsGives65535AndBack) {
  device::ColorSetBytes set{};
  SetPaletteColor(set, 7, {31, 31, 31});
  EXPECT_EQ(PaletteWord(set, 7), 65535);
  EXPECT_EQ(device::UnpackColor(65535), (device::Rgb{31, 31, 31}));
  SetPaletteColor(set, 0, {1, 1, 0});  // green's low bit repeated in bit 5
  EXPECT_EQ(PaletteWord(set, 0), 2048 + 64 + 32);
  EXPECT_THROW(SetPaletteColor(set, 0, {32, 0, 0}), RangeError);
  EXPECT_THROW(SetPaletteColor(set, 16, {0, 0, 0}), Error);
  EXPECT_EQ(PaletteCaption(15), "Цвет #15");
}

TEST(ColorSchemes, ElementRowsStoreAtTheirPositions) {
  const auto arrows = ElementRows(ElementGroup::Arrows);
  ASSERT_EQ(arrows.size(), 10U);
  EXPECT_EQ(arrows[1].caption, "Левый циферблат");
  EXPECT_EQ(arrows[1].offset, 45U + 2);
  EXPECT_EQ(arrows[7].offset, 45U + 9);
  EXPECT_EQ(arrows[8].caption, "Подписи цвет");
  EXPECT_EQ(arrows[8].offset, 45U + 1);
  EXPECT_EQ(arrows[9].offset, 45U + 8);
  EXPECT_EQ(ElementRows(ElementGroup::Digits)[4].caption, "Рамка");
  EXPECT_EQ(ElementRows(ElementGroup::Menu)[2].offset, 39U);
  EXPECT_EQ(ElementRows(ElementGroup::Graphs)[4].offset, 44U);
  device::ColorSetBytes set{};
  SetElementIndex(set, arrows[8], 15);
  EXPECT_EQ(set[46], 15);
  EXPECT_EQ(ElementIndex(set, arrows[8]), 15);
  EXPECT_THROW(SetElementIndex(set, arrows[8], 16), RangeError);
}

TEST(ColorSchemes, ADamagedIndexShowsAsThePaletteEntryThePreviewsDrawIt) {
  // The previews take an index above 15 modulo 16; the editor beside the
  // grid must name that same entry, not its own maximum.
  device::ColorSetBytes set{};
  const ElementRow& frame = ElementRows(ElementGroup::Digits)[4];
  set[frame.offset] = 200;
  EXPECT_EQ(ElementIndex(set, frame), 200 % 16);
  EXPECT_EQ(set[frame.offset], 200);  // kept until the user picks one
}

TEST(ColorSchemes, Scheme2OverScheme1ReplacesTheWorkingCopyOnlyAndLeavesTheUserSet) {
  device::TMK mk;
  mk.ColorSet(1)[0] = 0xAB;  // the user's own colour
  ASSERT_EQ(mk.Rec(device::BlockId::Display).GetInt("ActiveColorScheme"), 1);
  EXPECT_TRUE(SchemeChangeReplacesColors(mk, 2));
  const std::vector<std::uint8_t> user(mk.ColorSet(1).begin(), mk.ColorSet(1).end());
  ChooseScheme(mk, 2);
  EXPECT_TRUE(std::ranges::equal(mk.ColorSet(0), mk.ColorPresets()[1]));
  EXPECT_TRUE(std::ranges::equal(mk.ColorSet(1), user));
  EXPECT_EQ(mk.Rec(device::BlockId::Display).GetInt("ActiveColorScheme"), 0x22);
  EXPECT_EQ(ColorSetIndex(mk), 0U);
}

TEST(ColorSchemes, TheLoadedPresetAndTheUserSchemeOnlyChangeTheLowBits) {
  device::TMK mk;
  mk.Rec(device::BlockId::Display).SetInt("ActiveColorScheme", 0x31);  // preset 3 loaded, 1 active
  mk.ColorSet(0)[0] = 0x5A;  // edited colours of the loaded preset
  EXPECT_FALSE(SchemeChangeReplacesColors(mk, 3));
  ChooseScheme(mk, 3);
  EXPECT_EQ(mk.Rec(device::BlockId::Display).GetInt("ActiveColorScheme"), 0x33);
  EXPECT_EQ(mk.ColorSet(0)[0], 0x5A);
  EXPECT_FALSE(SchemeChangeReplacesColors(mk, kUserScheme));
  ChooseScheme(mk, kUserScheme);
  EXPECT_EQ(mk.Rec(device::BlockId::Display).GetInt("ActiveColorScheme"), 0x34);
  EXPECT_EQ(ColorSetIndex(mk), 1U);
  EXPECT_EQ(ActiveScheme(mk), 4);
  EXPECT_THROW(ChooseScheme(mk, 5), Error);
}

TEST(ColorSchemes, CopyToUserAndResetAll) {
  device::TMK mk;
  ChooseScheme(mk, 3);
  CopyToUserScheme(mk);
  EXPECT_TRUE(std::ranges::equal(mk.ColorSet(1), mk.ColorPresets()[2]));
  mk.Rec(device::BlockId::Display).SetInt("ActiveColorScheme", 0x34);
  ResetColorSchemes(mk);
  EXPECT_TRUE(std::ranges::equal(mk.ColorSet(0), mk.ColorPresets()[0]));
  EXPECT_TRUE(std::ranges::equal(mk.ColorSet(1), mk.ColorPresets()[3]));
  EXPECT_EQ(mk.Rec(device::BlockId::Display).GetInt("ActiveColorScheme"), 17);
  mk.Rec(device::BlockId::Display).SetInt("ActiveColorScheme", 0x07);  // nonsense low bits
  EXPECT_EQ(ActiveScheme(mk), 1);
}

// --- Changed marks: the setting a screen place or colour row is ------------------

TEST(DrawnRows, EveryPlaceAndColourRowIsTheOneSettingItsEditChanges) {
  const device::TMK mk;
  const auto changed_by = [&](const std::function<void(device::TMK&)>& edit) {
    device::TMK after = mk;
    edit(after);
    return ChangedSettings(mk, after);
  };
  using Changed = std::vector<const Setting*>;
  for (ScreenKind kind : preview::kScreenKinds) {
    for (int screen = 0; screen < preview::ScreenCount(kind); ++screen) {
      const auto places = ScreenSettings(kind, screen);
      ASSERT_EQ(places.size(), static_cast<std::size_t>(preview::PlaceCount(kind)));
      for (int place = 0; place < preview::PlaceCount(kind); ++place) {
        const Changed changed = changed_by([&](device::TMK& m) {
          const auto code =
              preview::PlaceCode(m.Rec(device::BlockId::Display), kind, screen, place);
          ChoosePlaceCode(m, {kind, screen, place}, static_cast<std::uint8_t>(code + 1));
        });
        EXPECT_EQ(changed, Changed{places[static_cast<std::size_t>(place)]})
            << preview::KindName(kind) << ":" << screen + 1 << " place " << place;
      }
    }
  }
  for (std::size_t set = 0; set < 2; ++set) {
    Changed colors;
    for (std::size_t entry = 0; entry < device::kPaletteSize; ++entry) {
      const Changed changed = changed_by([&](device::TMK& m) {
        const device::Rgb was = device::UnpackColor(PaletteWord(m.ColorSet(set), entry));
        SetPaletteColor(m.ColorSet(set), entry, {(was.r + 1) % 32, was.g, was.b});
      });
      EXPECT_EQ(changed, Changed{&PaletteSetting(set, entry)}) << set << " #" << entry;
      colors.push_back(&PaletteSetting(set, entry));
    }
    for (auto group :
         {ElementGroup::Digits, ElementGroup::Menu, ElementGroup::Graphs, ElementGroup::Arrows}) {
      for (const ElementRow& row : ElementRows(group)) {
        const Changed changed = changed_by([&](device::TMK& m) {
          SetElementIndex(m.ColorSet(set), row, (ElementIndex(m.ColorSet(set), row) + 1) % 16);
        });
        EXPECT_EQ(changed, Changed{&ElementSetting(set, row)}) << set << " " << row.caption;
        colors.push_back(&ElementSetting(set, row));
      }
    }
    auto all = ColorSetSettings(set);
    std::ranges::sort(all);
    std::ranges::sort(colors);
    EXPECT_EQ(all, colors) << "set " << set;
  }
}

// --- Hot menus --------------------------------------------------------------------

constexpr HotList kFull = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

TEST(HotMenus, DeletingEntry3OfAFullListMovesTheRestUp) {
  EXPECT_EQ(Compacted(Deleted(kFull, 3)), (HotList{1, 2, 3, 5, 6, 7, 8, 9, 10, 0}));
}

TEST(HotMenus, InsertingAtRow0OfAFullListLosesEntry9) {
  EXPECT_EQ(Inserted(kFull, 0, 99), (HotList{99, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(Inserted(kFull, 9, 99), (HotList{1, 2, 3, 4, 5, 6, 7, 8, 9, 99}));
}

TEST(HotMenus, DraggingRowsShiftsTheOnesBetween) {
  EXPECT_EQ(Moved(kFull, 7, 2), (HotList{1, 2, 8, 3, 4, 5, 6, 7, 9, 10}));
  EXPECT_EQ(Moved(kFull, 2, 7), (HotList{1, 2, 4, 5, 6, 7, 8, 3, 9, 10}));
  EXPECT_EQ(Moved(kFull, 4, 4), kFull);
  EXPECT_THROW(Moved(kFull, 0, 10), Error);
}

TEST(HotMenus, CompactionKeepsTheOrderAndUnknownCodes) {
  EXPECT_EQ(Compacted({0, 5, 0, 0, 900, 3, 0, 0, 0, 1}), (HotList{5, 900, 3, 1, 0, 0, 0, 0, 0, 0}));
  device::TMK mk;
  device::Record& d = mk.Rec(device::BlockId::Display);
  WriteHotList(d, 3, {0, 5, 0, 0, 900, 3, 0, 0, 0, 1});
  EXPECT_EQ(ReadHotList(d, 3)[4], 900);
  EXPECT_EQ(EntryCaption(mk.Catalogues().Menu(), 900), "");
  EXPECT_EQ(EntryCaption(mk.Catalogues().Menu(), 0), "");
  EXPECT_EQ(EntryCaption(mk.Catalogues().Menu(), 2), "Заправка до полн.");
}

TEST(HotMenus, TheTaxiAndParkingListsFollowTheVariant) {
  EXPECT_TRUE(HotListShown(0, {}));
  EXPECT_FALSE(HotListShown(2, {}));
  EXPECT_TRUE(HotListShown(2, {Feature::HasTaxi}));
  EXPECT_TRUE(HotListShown(3, {}));
  EXPECT_FALSE(HotListShown(3, {Feature::NoParkSensors}));
}

const InsertMenuNode* Find(const std::vector<InsertMenuNode>& nodes, std::string_view caption,
                           bool submenu = false) {
  for (const auto& n : nodes) {
    if (n.caption == caption && n.IsSubmenu() == submenu) return &n;
  }
  return nullptr;
}

TEST(HotMenus, InsertMenusAreBuiltFromTheDeviceMenuByIdentifier) {
  catalog::MenuCatalogue menu;
  const Features plain{};
  menu.BuildMenuCatalogue(plain);
  const auto list0 = InsertMenu(menu, plain, 0);
  ASSERT_EQ(list0.size(), 7U);
  EXPECT_EQ(list0[0].caption, "Управление");
  EXPECT_EQ(list0[0].children[0].caption, "Вирт. замок Вкл/Откл");
  EXPECT_EQ(list0[0].children[0].code, 1);
  // CorrUOZMenu needs HasCorrUOZ: left out.
  EXPECT_EQ(Find(list0[0].children, "Поправка УОЗ"), nullptr);
  const InsertMenuNode* display = Find(list0, "Дисплей", true);
  ASSERT_NE(display, nullptr);
  ASSERT_EQ(display->children.size(), 4U);
  EXPECT_TRUE(display->children[2].IsSubmenu());
  EXPECT_EQ(display->children[2].caption, "Стрелочные");
  // The blocks of "TO" need HasBlocks: only the ECU errors remain.
  EXPECT_EQ(Find(list0, "TO", true)->children.size(), 1U);
  // Without a taximeter the taximeter list has nothing to offer.
  EXPECT_TRUE(InsertMenu(menu, plain, 2).empty());

  const auto list1 = InsertMenu(menu, plain, 1);
  // "Журнал поездок" is an item and, after it, a submenu of the same caption.
  EXPECT_NE(Find(list1, "Журнал поездок"), nullptr);
  const InsertMenuNode* trips = Find(list1, "Журнал поездок", true);
  ASSERT_NE(trips, nullptr);
  EXPECT_EQ(trips->children[0].caption, "Записать");
  EXPECT_EQ(trips->children[0].children.size(), 20U);
  EXPECT_EQ(trips->children[1].children.size(), 21U);
  EXPECT_EQ(Find(list1, "Журнал заправок", true)->children.size(), 21U);

  const auto list3 = InsertMenu(menu, plain, 3);
  ASSERT_EQ(list3.size(), 2U);
  EXPECT_EQ(list3[1].caption, "Парковка вперед");
  EXPECT_EQ(list3[1].children.size(), 4U);
}

TEST(HotMenus, TheLightsItemAppearsAmongSourcesOnlyWithoutAirTemperature) {
  catalog::MenuCatalogue menu;
  const Features lights{Feature::NoAirTemper, Feature::HasLightsControl};
  menu.BuildMenuCatalogue(lights);
  const auto sources = Find(InsertMenu(menu, lights, 0), "Источники", true)->children;
  EXPECT_NE(Find(sources, "Упр.Бл.Свет"), nullptr);
  const Features taxi{Feature::HasTaxi};
  menu.BuildMenuCatalogue(taxi);
  const auto list2 = InsertMenu(menu, taxi, 2);
  ASSERT_EQ(list2.size(), 7U + 20U);
  EXPECT_EQ(list2.back().caption, "Тар.5 Н 1км");
}

// --- Show-display boxes ---------------------------------------------------------

const ShowGroup& Group(const std::vector<ShowGroup>& groups, std::string_view caption) {
  for (const auto& g : groups) {
    if (g.caption == caption) return g;
  }
  throw std::logic_error("no group");
}

TEST(ShowDisplays, AProtocolWith50ParametersShows40X1BoxesAndBits40To63Stay) {
  std::vector<std::uint8_t> own;
  for (std::uint8_t code = 17; code <= 50; ++code) own.push_back(code);
  const catalog::TProtBase protocol("test", {}, own, 0, 0, {});
  ASSERT_EQ(protocol.ParamCount(), 50);
  catalog::MeasParamCatalogue params;
  params.Build(false, false);
  const auto groups = ShowDisplayGroups({}, &protocol, params);
  const ShowGroup& x1 = Group(groups, "x1");
  ASSERT_EQ(x1.boxes.size(), 40U);
  EXPECT_TRUE(std::all_of(x1.boxes.begin(), x1.boxes.end(), [](auto& b) { return b.shown; }));
  EXPECT_EQ(x1.boxes[11].caption, "Скорость");  // code 12
  EXPECT_EQ(x1.boxes[39].object_name, "cbShowDisp_1_39");
  EXPECT_EQ(x1.boxes_per_group, 5);

  device::TMK mk;
  device::Record& d = mk.Rec(device::BlockId::Display);
  d.SetInt("ShowDisp1", 0xFFFFFFFF, 0);
  d.SetInt("ShowDisp1", 0xA5A5A5A5, 1);
  SetShowBit(d, "ShowDisp1", 39, false);
  SetShowBit(d, "ShowDisp1", 0, false);
  EXPECT_EQ(d.GetInt("ShowDisp1", 0), 0xFFFFFFFE);
  EXPECT_EQ(d.GetInt("ShowDisp1", 1), 0xA5A5A525);  // only bit 39 (word 1, bit 7) cleared
  EXPECT_FALSE(ShowBit(d, "ShowDisp1", 39));
  EXPECT_TRUE(ShowBit(d, "ShowDisp1", 40));
  EXPECT_THROW(SetShowBit(d, "ShowDisp1", 64, true), Error);
}

TEST(ShowDisplays, FewParametersHideTheRestAndNoProtocolHidesAll) {
  const catalog::TProtBase protocol("test", {}, {}, 0, 0, {});
  catalog::MeasParamCatalogue params;
  params.Build(false, false);
  const auto x1 = Group(ShowDisplayGroups({}, &protocol, params), "x1");
  EXPECT_EQ(std::count_if(x1.boxes.begin(), x1.boxes.end(), [](auto& b) { return b.shown; }), 16);
  const auto none = Group(ShowDisplayGroups({}, nullptr, params), "x1");
  EXPECT_TRUE(std::none_of(none.boxes.begin(), none.boxes.end(), [](auto& b) { return b.shown; }));
}

TEST(ShowDisplays, X3CaptionAndTaxiBoxFollowTheVariant) {
  catalog::MeasParamCatalogue params;
  params.Build(false, false);
  const auto plain = ShowDisplayGroups({}, nullptr, params);
  EXPECT_EQ(plain[2].caption, "x7");
  EXPECT_TRUE(plain[2].boxes[3].shown);
  EXPECT_FALSE(Group(plain, "Средние").boxes[6].shown);
  const auto x3 = ShowDisplayGroups({Feature::HasX3Displays, Feature::HasTaxi}, nullptr, params);
  EXPECT_EQ(x3[2].caption, "x3");
  EXPECT_FALSE(x3[2].boxes[3].shown);
  EXPECT_EQ(x3[2].boxes[3].object_name, "cbShowDisp_7_3");
  const ShowBox& taxi = Group(x3, "Средние").boxes[6];
  EXPECT_TRUE(taxi.shown);
  EXPECT_EQ(taxi.caption, "Таксометр");
  EXPECT_EQ(taxi.object_name, "cbShowDisp_S_6");
  EXPECT_EQ(Group(x3, "x4").boxes[5].caption, "#6");
}

}  // namespace
}  // namespace mk::settings
