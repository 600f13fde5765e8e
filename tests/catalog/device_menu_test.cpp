// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/device_menu.h"

#include <gtest/gtest.h>

#include <set>

namespace mk::catalog {
namespace {

MenuCatalogue Built(Features f) {
  MenuCatalogue m;
  m.BuildMenuCatalogue(f);
  return m;
}

const Features kAll{Feature::HasCorrUOZ,     Feature::HasTaxi,  Feature::HasBlocks,
                    Feature::HasBoschBlocks, Feature::HasCargo, Feature::HasLightsControl};

TEST(DeviceMenuTest, FullMenuHas171ItemsWithUniqueIdentifiers) {
  const auto m = Built(kAll);
  ASSERT_EQ(m.Items().size(), 171u);
  std::set<std::string> idents;
  for (std::size_t i = 0; i < m.Items().size(); ++i) {
    EXPECT_EQ(m.Items()[i].Code, i + 1);
    EXPECT_TRUE(idents.insert(m.Items()[i].Ident).second) << m.Items()[i].Ident;
  }
  EXPECT_EQ(m.FindMenuItemByCode(1)->Ident, "VirtLockMenu");
  EXPECT_EQ(m.FindMenuItemByCode(171)->Ident, "CargoDensMenu");
  EXPECT_EQ(m.FindMenuItemByCode(0), nullptr);
  EXPECT_EQ(m.FindMenuItemByCode(172), nullptr);
}

TEST(DeviceMenuTest, GeneratedRangesAndExactCaptions) {
  const auto m = Built(kAll);
  auto at = [&](int code) { return *m.FindMenuItemByCode(static_cast<std::uint16_t>(code)); };
  EXPECT_EQ(at(55).Ident, "WriteTrip1Menu");
  EXPECT_EQ(at(55).Caption, "   1     \u041c\u041c:\u0427\u0427 \u0414\u0414.\u041c\u041c");
  EXPECT_EQ(at(74).Ident, "WriteTrip20Menu");
  EXPECT_EQ(at(74).Caption.substr(0, 4), "  20");
  EXPECT_EQ(at(75).Ident, "ViewTripMenu");
  // "Пoс." is written with a Latin o.
  EXPECT_EQ(at(76).Caption,
            "\u041fo\u0441.     \u041c\u041c:\u0427\u0427 \u0414\u0414.\u041c\u041c");
  EXPECT_EQ(at(98).Caption, at(76).Caption);
  EXPECT_EQ(at(96).Ident, "ViewTrip20Menu");
  EXPECT_EQ(at(99).Ident, "ViewTank1Menu");
  EXPECT_EQ(at(118).Ident, "ViewTank20Menu");
  EXPECT_EQ(at(118).Group, 1);
  // "Сброс Cброс2": the second word begins with a Latin C.
  EXPECT_EQ(at(48).Caption, "\u0421\u0431\u0440\u043e\u0441 C\u0431\u0440\u043e\u04412");
  EXPECT_EQ(at(126).Ident, "TaxTimeTarif0DayMenu");
  EXPECT_EQ(at(126).Caption, "\u0422\u0430\u0440.1.\u0414 1\u043c\u0438\u043d");
  EXPECT_EQ(at(127).Caption, "\u0422\u0430\u0440.1 \u0414 1\u043a\u043c");
  EXPECT_EQ(at(129).Ident, "TaxPathTarif0NightMenu");
  EXPECT_EQ(at(129).Caption, "\u0422\u0430\u0440.1 \u041d 1\u043a\u043c");
  EXPECT_EQ(at(145).Ident, "TaxPathTarif4NightMenu");
  EXPECT_EQ(at(145).Caption, "\u0422\u0430\u0440.5 \u041d 1\u043a\u043c");
  EXPECT_EQ(at(145).Group, 2);
  EXPECT_EQ(at(146).Ident, "ParkOffMenu");
  EXPECT_EQ(at(146).Group, 3);
  EXPECT_EQ(at(169).Caption, "Bosch ESP9.1");
}

TEST(DeviceMenuTest, WithoutTaximeterCodesKeepTheirPlace) {
  const auto m = Built({});
  for (int code = 119; code <= 145; ++code) {
    EXPECT_EQ(m.FindMenuItemByCode(static_cast<std::uint16_t>(code)), nullptr) << code;
  }
  for (int code = 146; code <= 155; ++code) {
    ASSERT_NE(m.FindMenuItemByCode(static_cast<std::uint16_t>(code)), nullptr) << code;
  }
  EXPECT_EQ(m.FindMenuItemByName("ParkSpeedMenu_1")->Code, 155);
  EXPECT_EQ(m.FindMenuItemByName("TaxStartFinishMenu"), nullptr);
  EXPECT_EQ(m.FindMenuItemByName("parkoffmenu"), nullptr);  // case-sensitive
  EXPECT_EQ(m.FindMenuItemByCode(9), nullptr);              // HasCorrUOZ
  EXPECT_EQ(m.FindMenuItemByCode(167), nullptr);            // Bosch blocks need HasBlocks too
}

TEST(DeviceMenuTest, Code37HasThreeCases) {
  const auto air = Built({Feature::HasLightsControl});
  EXPECT_EQ(air.FindMenuItemByCode(37)->Ident, "apHoloMenu");
  EXPECT_EQ(air.FindMenuItemByName("LightsOnMenu"), nullptr);

  const auto lights = Built({Feature::NoAirTemper, Feature::HasLightsControl});
  ASSERT_NE(lights.FindMenuItemByCode(37), nullptr);
  EXPECT_EQ(lights.FindMenuItemByCode(37)->Ident, "LightsOnMenu");
  EXPECT_EQ(lights.FindMenuItemByCode(37)->Caption,
            "\u0423\u043f\u0440.\u0411\u043b.\u0421\u0432\u0435\u0442");
  EXPECT_EQ(lights.FindMenuItemByCode(38)->Ident, "apEconomMenu");

  const auto none = Built({Feature::NoAirTemper});
  EXPECT_EQ(none.FindMenuItemByCode(37), nullptr);
  EXPECT_EQ(none.FindMenuItemByCode(38)->Ident, "apEconomMenu");
}

TEST(DeviceMenuTest, ConditionsTakeItemsAway) {
  const auto m = Built({Feature::NoVoice, Feature::NoGabarLights, Feature::NoStopVelocity,
                        Feature::NoGas, Feature::NoParkSensors, Feature::HasBlocks});
  for (int code : {30, 32, 39, 40, 50, 51, 146, 155, 156, 166, 167, 170, 171}) {
    EXPECT_EQ(m.FindMenuItemByCode(static_cast<std::uint16_t>(code)), nullptr) << code;
  }
  for (int code : {31, 49, 52, 157, 160, 164, 165}) {
    EXPECT_NE(m.FindMenuItemByCode(static_cast<std::uint16_t>(code)), nullptr) << code;
  }
}

TEST(DeviceMenuTest, RebuildKeepsCodes) {
  MenuCatalogue m;
  m.BuildMenuCatalogue(kAll);
  const std::uint16_t park = m.FindMenuItemByName("ParkSenseMenu_0")->Code;
  const std::uint16_t cargo = m.FindMenuItemByName("TareWeightMenu")->Code;
  m.BuildMenuCatalogue({Feature::NoVoice});
  EXPECT_EQ(m.FindMenuItemByName("TareWeightMenu"), nullptr);
  EXPECT_EQ(m.FindMenuItemByName("ParkSenseMenu_0")->Code, park);
  m.BuildMenuCatalogue(kAll);
  EXPECT_EQ(m.FindMenuItemByName("TareWeightMenu")->Code, cargo);
  EXPECT_EQ(m.Items().size(), 171u);
}

TEST(DeviceMenuTest, DefaultHotMenus) {
  const auto taxi = Built(kAll);
  const HotMenus hot = DefaultHotMenus(taxi, kAll);
  EXPECT_EQ(hot[0], (std::array<std::uint16_t, 10>{2, 3, 31, 15, 6, 8, 0, 28, 0, 0}));
  EXPECT_EQ(hot[1], (std::array<std::uint16_t, 10>{52, 47, 48, 53, 97, 0, 0, 0, 0, 0}));
  EXPECT_EQ(hot[2], (std::array<std::uint16_t, 10>{119, 120, 121, 122, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(hot[3], (std::array<std::uint16_t, 10>{146, 148, 149, 150, 151, 0, 0, 0, 0, 0}));

  const Features no_taxi{Feature::HasBlocks};
  EXPECT_EQ(DefaultHotMenus(Built(no_taxi), no_taxi)[2], (std::array<std::uint16_t, 10>{}));
  // Even a menu built for a taximeter gives nothing when the variant has none.
  EXPECT_EQ(DefaultHotMenus(taxi, no_taxi)[2], (std::array<std::uint16_t, 10>{}));

  const Features no_park{Feature::NoParkSensors, Feature::HasTaxi};
  const HotMenus np = DefaultHotMenus(Built(no_park), no_park);
  EXPECT_EQ(np[3], (std::array<std::uint16_t, 10>{}));
  EXPECT_EQ(np[2][0], 119);
  EXPECT_EQ(np[0][0], 2);
}

}  // namespace
}  // namespace mk::catalog
