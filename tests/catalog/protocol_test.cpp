// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/protocol.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "catalog/variant.h"

namespace mk::catalog {
namespace {

// An MK the table does not know: every family, so every protocol.
ProtocolCatalogue Everything(std::uint8_t selected = 0) {
  ProtocolCatalogue c;
  c.Build(9999, selected, 0);
  return c;
}

const TProtBase* Named(const ProtocolCatalogue& c, const std::string& name) {
  for (const auto& p : c.Items()) {
    if (p.Name == name) return &p;
  }
  return nullptr;
}

TEST(ProtocolTest, ConstructionAppendsTheFixedCodesFirst) {
  const TProtBase p("x", {3, 4}, {17, 0, 18}, 2, 5, {Feature::Code40Param, Feature::Inclinometer});
  const std::vector<std::uint8_t> want = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11,
                                          12, 13, 14, 15, 16, 17, 18, 40, 55, 56};
  EXPECT_EQ(p.ParamCodes, want);  // code 0 ignored
  EXPECT_EQ(p.ExtraCodes, (std::vector<std::uint8_t>{3, 4}));
  EXPECT_EQ(p.ExtraCount(), 2);
  EXPECT_TRUE(p.Capabilities.CoolantTemperature);
  EXPECT_TRUE(p.Capabilities.ErrorReading);
  EXPECT_FALSE(p.Capabilities.GearboxOilTemperature);
  for (const auto& g : p.Groups) EXPECT_TRUE(g.Caption.empty());
}

TEST(ProtocolTest, ListsStopAt101Codes) {
  std::vector<std::uint8_t> many(200, 77);
  TProtBase p("x", many, many, 0, 1, {});
  EXPECT_EQ(p.ParamCount(), TProtBase::kMaxCodes);
  EXPECT_EQ(p.ExtraCount(), TProtBase::kMaxCodes);
  p.AddParamCode(5);
  EXPECT_EQ(p.ParamCount(), TProtBase::kMaxCodes);
}

TEST(ProtocolTest, EveryProtocolStartsWith1To16AndRespectsTheLimits) {
  const auto c = Everything();
  ASSERT_EQ(c.Items().size(), 94u);
  for (const auto& p : c.Items()) {
    SCOPED_TRACE(p.Name);
    ASSERT_GE(p.ParamCount(), 16);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(p.ParamCodes[static_cast<std::size_t>(i)], i + 1);
    EXPECT_LE(p.ParamCount(), TProtBase::kMaxCodes);
    EXPECT_GE(p.ExtraCount(), 1);
    EXPECT_LE(p.ExtraCount(), 56);
    EXPECT_EQ(std::count(p.ParamCodes.begin(), p.ParamCodes.end(), 0), 0);
    for (int g = 0; g < TProtBase::kGroupCount; ++g) {
      const auto& group = p.Groups[static_cast<std::size_t>(g)];
      EXPECT_LE(group.Items.size(), g == 4 ? 61u : 21u);
      EXPECT_EQ(group.Caption.empty(), group.Items.empty());
    }
    EXPECT_LE(p.Capabilities.EcuLevelSensors, 3);
    EXPECT_TRUE(p.ErrorCodeFormat == TProtBase::kNoErrorFormat ||
                (p.ErrorCodeFormat >= 0 && p.ErrorCodeFormat <= 9));
  }
}

TEST(ProtocolTest, TableFacts) {
  const auto c = Everything();
  EXPECT_EQ(c.Items().front().Name, "M74CAN");
  EXPECT_EQ(c.Items().back().Name, "\u0423\u043d\u0438\u0432\u0435\u0440\u0441.");
  EXPECT_EQ(c.Items().back().ProtocolCode, 255);
  EXPECT_EQ(c.Items().back().ParamCount(), 16 + 3);  // the fixed codes, 40, 55 and 56
  EXPECT_EQ(Named(c, "TOBD1")->ErrorCodeFormat, 1000);
  EXPECT_EQ(c.Items().back().ErrorCodeFormat, 1000);
  EXPECT_EQ(Named(c, "J1939")->ErrorCodeFormat, 5);
  EXPECT_EQ(Named(c, "J1939")->Capabilities.VehicleClass, 14);
  EXPECT_EQ(Named(c, "CAN")->ProtocolCode, 1);
  EXPECT_EQ(Named(c, "Bosch")->ProtocolCode, 63);
  EXPECT_EQ(Named(c, "Tiggo"), nullptr);
  EXPECT_TRUE(Named(c, "Estima")->Capabilities.HybridDrive);
  // Duplicated names come from different families and keep their own lists.
  std::map<std::string, int> count;
  for (const auto& p : c.Items()) ++count[p.Name];
  EXPECT_EQ(count["J1939"], 2);
  EXPECT_EQ(count["Lex RX400H"], 2);
  EXPECT_EQ(count["Consult1"], 2);
  EXPECT_EQ(count["Consult1D"], 2);
  const TProtBase* lex = Named(c, "Lex RX400H");
  EXPECT_EQ(lex->ProtocolCode, 235);
}

TEST(ProtocolTest, OptionSets) {
  const auto c = Everything();
  const TProtBase& can = *Named(c, "CAN");
  EXPECT_EQ(can.Groups[1].Caption,
            "\u041e\u043f\u0440\u043e\u0441 CAN \u0440\u0430\u0437/\u0441\u0435\u043a");
  EXPECT_EQ(can.Groups[1].Items, (std::vector<std::string>{"4", "1"}));
  const auto& oil = can.Groups[4];
  EXPECT_EQ(oil.Caption,
            "\u0422\u0435\u043c\u043f. \u043c\u0430\u0441\u043b\u0430 \u0410\u041a\u041f\u041f");
  ASSERT_EQ(oil.Items.size(), 42u);
  EXPECT_EQ(oil.Items.front(), "\u041d\u0435\u0442");
  EXPECT_EQ(oil.Items[7], "HovH5,St");
  EXPECT_EQ(oil.Items.back(), "Kuga2");
  EXPECT_TRUE(can.Capabilities.GearboxOilTemperature);
  EXPECT_TRUE(can.Groups[0].Caption.empty());

  const TProtBase& m74 = *Named(c, "M74CAN");
  EXPECT_EQ(m74.Groups[4].Items,
            (std::vector<std::string>{"\u041d\u0435\u0442", "Jatco", "ZF 2180", "Niss5"}));
  for (const char* name : {"CAN Toyota", "Estima", "Toyota Sai", "Prius2.0"}) {
    EXPECT_EQ(Named(c, name)->Groups[4].Items.size(), 5u) << name;
    EXPECT_TRUE(Named(c, name)->Capabilities.GearboxOilTemperature) << name;
  }
  // The polling set goes to the second "Lex RX400H" only.
  std::vector<const TProtBase*> lex;
  for (const auto& p : c.Items()) {
    if (p.Name == "Lex RX400H") lex.push_back(&p);
  }
  ASSERT_EQ(lex.size(), 2u);
  EXPECT_TRUE(lex[0]->Groups[4].Items.empty());
  EXPECT_EQ(lex[1]->Groups[4].Items.size(), 5u);
  EXPECT_EQ(Named(c, "\u0420\u0435\u043d\u043e")->Groups[0].Items.back(), "R27  ");
}

TEST(ProtocolTest, CurrentProtocolAndOutOfRangeIndex) {
  auto c = Everything(1);
  ASSERT_NE(c.Current(), nullptr);
  EXPECT_EQ(c.Current()->Name, "M86");
  EXPECT_EQ(c.CurrentIndex(), 1);
  c.Build(9999, 200, 0);
  EXPECT_EQ(c.Current(), nullptr);
  EXPECT_EQ(c.CurrentIndex(), -1);
  EXPECT_EQ(c.Items().size(), 94u);
  c.Build(9999, 93, 0);
  EXPECT_EQ(c.Current()->ProtocolCode, 255);
}

TEST(ProtocolTest, FamiliesDecideTheCatalogue) {
  ProtocolCatalogue truck;
  truck.Build(3, 0, 0);
  ASSERT_FALSE(truck.Items().empty());
  std::vector<std::string> names;
  for (const auto& p : truck.Items()) names.push_back(p.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"EDC16 Iveco", "J1939",
                                             "\u0423\u043d\u0438\u0432\u0435\u0440\u0441."}));
  EXPECT_EQ(truck.Items()[1].ParamCount(), 16 + 11);  // the full J1939 list

  ProtocolCatalogue car;
  car.Build(1, 0, 2);  // this variant names protocol 63 "Tiggo" and has the inclinometer
  EXPECT_EQ(Named(car, "Bosch"), nullptr);
  const TProtBase* tiggo = Named(car, "Tiggo");
  ASSERT_NE(tiggo, nullptr);
  EXPECT_EQ(tiggo->ProtocolCode, 63);
  EXPECT_TRUE(tiggo->HasParamCode(55));
  EXPECT_TRUE(tiggo->HasParamCode(56));
  EXPECT_FALSE(tiggo->HasParamCode(40));
}

}  // namespace
}  // namespace mk::catalog
