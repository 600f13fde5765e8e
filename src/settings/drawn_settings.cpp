// SPDX-License-Identifier: GPL-3.0-or-later
// The settings the window draws by hand: the tank page's values, the screen
// places, the colour sets, the hot menus, the show-display boxes and the block
// selection. They are rows like any other, so the changed-value count, the
// search and mkctl see them; only their drawing is the window's own.
#include <string>

#include "settings/color_schemes.h"
#include "settings/hot_menus.h"
#include "settings/setting_builder.h"
#include "settings/show_displays.h"
#include "settings/tank_calibration.h"

namespace mk::settings::table {

namespace {

using enum catalog::Feature;

std::string N(int n) {
  return std::to_string(n);
}

void Tank(Builder& b) {
  b.On(Page::Tank, "Линейный по 2 точкам");
  const auto point = [&](const char* lit, const char* oil, std::string_view row) {
    b.Spin(lit, row, kFuel, lit + 2, 0, kTankUnitsMax)
        .MaxFrom("seTankContFull")
        .Cell(row, "литры")
        .Drawn();
    b.Spin(oil, row, kFuel, oil + 2, 0, kTankUnitsMax).Cell(row, "у.е.").Drawn();
  };
  point("seLit6L", "seOil6L", "1");
  point("seLit43L", "seOil43L", "2");
  b.Group("Линейный по 7 точкам");
  for (int k = 0; k < 7; ++k) {
    const std::string_view row = Builder::Keep(N(k + 1));
    b.Spin(Builder::Keep("seOilCalibrLitArr" + N(k)), row, kFuel, "OilCalibrLitArr", 0,
           kTankUnitsMax)
        .Element(static_cast<std::size_t>(k))
        .MaxFrom("seTankContFull")
        .Cell(row, "литры")
        .Drawn();
    b.Spin(Builder::Keep("seOilCalibrResArr" + N(k)), row, kFuel, "OilCalibrResArr", 0,
           kTankUnitsMax)
        .Element(static_cast<std::size_t>(k))
        .Cell(row, "у.е.")
        .Drawn();
  }
  b.Spin("seOilCalibrQuant", "Кол-во точек", kFuel, "OilCalibrQuant", 0, 7).Drawn();
  b.Group("Тарированный");
  b.Spin("seTarirLeng", "Количество точек тарировки", kTank, "TarirLeng", 0,
         static_cast<double>(kTarirPointsMax))
      .ButtonsOnly()
      .Drawn();
  b.Check("cbTarirFlagFinish", "Тарировка проведена", kTank, "TarirFlagFinish").Drawn();
  b.Radio("rgTarirIncline", "Наклон ДУТ (справочно)", kTank, "TarirIncline", "Обратный|Прямой|Авто")
      .ReadOnly()
      .Drawn();
  // The table grid's points: litres and sensor units of each, by point number.
  for (int k = 0; k < static_cast<int>(kTarirPointsMax); ++k) {
    const std::string_view row = Builder::Keep(N(k + 1));
    b.Spin(Builder::Keep("sgTarirLit" + N(k)), row, kTank, "TarirLit", 0, 255)
        .Element(static_cast<std::size_t>(k))
        .Cell(row, "литры")
        .Drawn();
    b.Spin(Builder::Keep("sgTarirRes" + N(k)), row, kTank, "TarirRes", 0, 32767)
        .Element(static_cast<std::size_t>(k))
        .Cell(row, "у.е.")
        .Drawn();
  }
}

struct Screens {
  std::string_view tag, field, caption;
  int screens, places;
};

void ScreenPlaces(Builder& b) {
  static constexpr Screens kScreens[] = {
      {"4", "Disp4Params", "Дисплеи х4", 6, 4},    {"9", "Disp9Params", "Дисплеи х9", 3, 9},
      {"7", "Disp7Params", "Дисплеи х7", 4, 7},    {"6", "Disp6Params", "Дисплей х6", 1, 6},
      {"G", "GraphParams", "Граф. дисплеи", 8, 2}, {"A", "ArrowParams", "Стрел. дисплеи", 8, 2},
  };
  for (const Screens& k : kScreens) {
    b.Group(k.caption);
    for (int screen = 0; screen < k.screens; ++screen) {
      const std::string box = "pbDisp" + std::string(k.tag) + "_" + N(screen);
      const std::string_view row = Builder::Keep(std::string(k.caption) + " #" + N(screen + 1));
      for (int place = 0; place < k.places; ++place) {
        b.Add(Kind::Param, Builder::Keep(box + "_" + N(place)), row, kDisp, k.field)
            .Element(static_cast<std::size_t>(screen * k.places + place))
            .Cell(row, Builder::Keep("место " + N(place + 1)))
            .Drawn(Builder::Keep(box));
      }
    }
  }
}

void Colors(Builder& b) {
  b.Group("Цветовые схемы");
  b.RadioBits("rgColorScheme", "Цветовая схема", kDisp, "ActiveColorScheme", 0, 4,
              "Схема 1|Схема 2|Схема 3|Схема пользователя")
      .Conv(Conversion::IndexPlus1)
      .Writes(Writer::ColorScheme)
      .Drawn();
  // Which preset the working set holds: no control shows it, but choosing a
  // scheme changes it, and the MK reads it.
  b.RadioBits("ColorSchemeLoaded", "Схема в рабочем наборе", kDisp, "ActiveColorScheme", 4, 4,
              "нет|Схема 1|Схема 2|Схема 3")
      .ReadOnly()
      .Drawn();
  b.Group("Цифровые дисплеи");
  b.Radio("rgDispVar4", "Тип х4", kDisp, "DispVar4", "1|2").Drawn();
  b.Radio("rgDispVar9", "Тип х9", kDisp, "DispVar9", "1|2").Drawn();
  static constexpr std::string_view kSets[] = {"рабочая схема", "схема пользователя"};
  struct Elements {
    ElementGroup group;
    std::string_view tag, caption;
  };
  static constexpr Elements kGroups[] = {{ElementGroup::Digits, "Digit", "Цифровые дисплеи"},
                                         {ElementGroup::Menu, "Menu", "Меню"},
                                         {ElementGroup::Graphs, "Graph", "Графики"},
                                         {ElementGroup::Arrows, "Arrow", "Стрелочный дисплей"}};
  for (std::size_t set = 0; set < 2; ++set) {
    b.Group("Палитра цветов");
    for (int entry = 0; entry < 16; ++entry) {
      const std::string_view caption =
          Builder::Keep(PaletteCaption(static_cast<std::size_t>(entry)));
      b.Add(Kind::Color, Builder::Keep("sgPalette_" + N(static_cast<int>(set)) + "_" + N(entry)),
            caption, kDisp, "ColorSet")
          .Element(set)
          .Offset(static_cast<std::size_t>(2 * entry))
          .Cell(caption, kSets[set])
          .Drawn("sgPalette");
    }
    for (const Elements& g : kGroups) {
      const std::string grid = "sg" + std::string(g.tag) + "Colors";
      b.Group(g.caption);
      int n = 0;
      for (const ElementRow& row : ElementRows(g.group)) {
        b.Spin(Builder::Keep(grid + "_" + N(static_cast<int>(set)) + "_" + N(n++)), row.caption,
               kDisp, "ColorSet", 0, 15)
            .Element(set)
            .Offset(row.offset)
            .Cell(row.caption, kSets[set])
            .Drawn(Builder::Keep(grid));
      }
    }
  }
}

void HotMenus(Builder& b) {
  b.Group("Горячие меню");
  for (int list = 0; list < kHotLists; ++list) {
    Row r = b.Add(Kind::HotMenu, Builder::Keep("sgHotMenu" + N(list)),
                  kHotListCaptions[static_cast<std::size_t>(list)], kDisp, "HotMenu")
                .Element(static_cast<std::size_t>(list * kHotEntries))
                .Drawn();
    if (list == 2) r.Need({HasTaxi});
    if (list == 3) r.Hide({NoParkSensors});
  }
}

struct ShowWord {
  std::string_view tag, field, caption;
  int bits;
};

void ShowDisplays(Builder& b) {
  b.Group(kShowDisplaysCaption);
  static constexpr ShowWord kWords[] = {
      {"4", "ShowDisp4", "x4", 6},      {"9", "ShowDisp9", "x9", 3},
      {"7", "ShowDisp7", "x7", 4},      {"G", "ShowDispG", "Графики", 8},
      {"A", "ShowDispA", "Стрелки", 8}, {"6", "ShowDisp6", "x6", 1},
      {"S", "ShowDispS", "Средние", 9}, {"1", "ShowDisp1", "x1", kX1Boxes},
  };
  static constexpr std::string_view kAverages[] = {"Поездка",   "Сброс 1",   "Сброс 2",
                                                   "Общие",     "В пробках", "Без пробок",
                                                   "Таксометр", "Бензин",    "Газ"};
  for (const ShowWord& w : kWords) {
    for (int bit = 0; bit < w.bits; ++bit) {
      const bool averages = w.tag == "S";
      const std::string_view caption = averages ? kAverages[bit] : Builder::Keep("#" + N(bit + 1));
      Row r = b.FlagBit(Builder::Keep("cbShowDisp_" + std::string(w.tag) + "_" + N(bit)), w.caption,
                        kDisp, w.field, bit % 32)
                  .Element(static_cast<std::size_t>(bit / 32))
                  .Cell(w.caption, caption)
                  .Drawn();
      if (averages && bit == 6) r.Need({HasTaxi});
      if (w.tag == "7" && bit == 3) r.Hide({HasX3Displays});
      if (w.tag == "1") r.When(Rule::ProtocolParam);
    }
  }
}

}  // namespace

void DrawnSettings(Builder& b) {
  Tank(b);
  b.On(Page::Display, {});
  ScreenPlaces(b);
  Colors(b);
  HotMenus(b);
  ShowDisplays(b);
  b.On(Page::Blocks, "Выбранные");
  b.Add(Kind::BlockList, "sgUsedBlocks", "Выбранные", kServ, "BlocksMask").Drawn();
}

}  // namespace mk::settings::table
