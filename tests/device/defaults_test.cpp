// SPDX-License-Identifier: GPL-3.0-or-later
// What a new model holds before any image is read.
#include <gtest/gtest.h>

#include "device/mk.h"
#include "text/byte_io.h"

namespace mk::device {
namespace {

TEST(NewModel, HoldsTheDefaultsOfEveryBlock) {
  const TMK mk;
  EXPECT_EQ(mk.DeviceVersion(), 1);
  EXPECT_EQ(mk.FirmwareVersion(), 0u);
  EXPECT_TRUE(mk.Image().empty());

  const Record& totals = mk.Rec(BlockId::Totals);
  EXPECT_EQ(totals.Bytes()[104], 0x00);
  EXPECT_EQ(totals.Bytes()[105], 0xFF);
  EXPECT_EQ(totals.Bytes()[134], 0xFF);
  EXPECT_EQ(totals.GetInt("ResetPeriod1"), -1);

  const Record& fuel = mk.Rec(BlockId::FuelSensor);
  EXPECT_EQ(bytes::ReadU16(fuel.Bytes(), 0), 1000);
  EXPECT_EQ(fuel.GetInt("Lit43L"), 43);
  EXPECT_EQ(fuel.GetInt("OilCalibrQuant"), 7);
  EXPECT_EQ(fuel.GetInt("TankContFull"), 50);
  EXPECT_EQ(fuel.GetInt("GazContFull"), 50);

  const Record& tank = mk.Rec(BlockId::TankCalibration);
  EXPECT_EQ(tank.GetInt("TarirFlagFinish"), 1);
  EXPECT_EQ(tank.GetInt("TarirLeng"), 15);
  EXPECT_EQ(tank.GetInt("TarirLit", 0), 16);
  EXPECT_EQ(tank.GetInt("TarirLit", 14), 58);
  EXPECT_EQ(tank.GetInt("TarirLit", 15), 0);
  EXPECT_EQ(tank.GetInt("TarirRes", 14), 700);
  EXPECT_EQ(tank.GetInt("TarirRes", 15), 0);
  EXPECT_EQ(bytes::ReadU16(tank.Bytes(), 144 + 2 * 14), 700);

  const Record& service = mk.Rec(BlockId::Service);
  EXPECT_EQ(service.GetInt("KPPOilCntK"), 45);
  EXPECT_EQ(service.GetInt("TO"), 4392);
  EXPECT_EQ(service.GetInt("OSAGO"), 4392);
  EXPECT_EQ(service.GetInt("UniMeasADC1"), 1023);
  EXPECT_EQ(service.GetInt("UniMeasDat1"), 90);
  EXPECT_EQ(service.GetText("UniMeasStr"), "Трим");
  EXPECT_EQ(service.Bytes()[60], 0xD2) << "stored in cp1251";
  EXPECT_EQ(service.GetText("ForsTOCntKText"), "ТО форсунки");
  EXPECT_EQ(service.GetText("GRMStrapCntKText"), "Замена рем.ГРМ");
  EXPECT_EQ(service.GetText("CandleCntKText"), "Замена свечей");
  EXPECT_EQ(service.GetInt("ServiceFlags"), 511);

  const Record& limits = mk.Rec(BlockId::Limits);
  EXPECT_EQ(limits.GetInt("VelocityLimit"), 40);
  EXPECT_EQ(limits.GetInt("UaccHighLimit"), 155);
  EXPECT_EQ(limits.GetInt("ForsPosFlag"), 1);
  EXPECT_EQ(limits.GetInt("RetarderOilTemperLimit"), 165);
  EXPECT_EQ(bytes::ReadU32(limits.Bytes(), 32), 0x3F800000u);
  EXPECT_EQ(bytes::ReadU32(limits.Bytes(), 36), 0x3F800000u);
  EXPECT_EQ(bytes::ReadU32(limits.Bytes(), 48), 0x3F800000u);

  const Record& journals = mk.Rec(BlockId::Journals);
  EXPECT_EQ(journals.GetInt("PriceExpense"), 250);
  EXPECT_EQ(journals.GetInt("PricePath"), 30);

  const Record& display = mk.Rec(BlockId::Display);
  EXPECT_EQ(display.GetInt("Disp4Params", 0, 0), 4);
  EXPECT_EQ(display.GetInt("Disp4Params", 5, 3), 21);
  EXPECT_EQ(display.GetInt("Disp7Params", 3, 6), 9);
  EXPECT_EQ(display.GetInt("GraphParams", 6, 1), 0);
  EXPECT_EQ(display.GetInt("ArrowParams", 7, 0), 20);
  EXPECT_EQ(display.GetInt("Disp9Params", 2, 8), 25);
  EXPECT_EQ(display.GetInt("Disp6Params", 5), 9);
  EXPECT_EQ(display.GetInt("ActiveColorScheme"), 1);
  EXPECT_EQ(display.GetInt("ShowDispS"), 511);
  EXPECT_EQ(bytes::ReadU32(display.Bytes(), 392), 0xFFFFFFFFu);
  EXPECT_EQ(bytes::ReadU32(display.Bytes(), 396), 0u);
  EXPECT_EQ(display.GetInt("ShowDisp6"), 1);

  EXPECT_EQ(mk.Rec(BlockId::Cargo).GetInt("TareWeight"), 100);
  EXPECT_EQ(mk.Rec(BlockId::Cargo).GetInt("CargoDens"), 200);
}

TEST(NewModel, WorkingColourSetsAreCopiesOfPresetsOneAndFour) {
  const TMK mk;
  const auto set0 = mk.ColorSet(0);
  const auto set1 = mk.ColorSet(1);
  EXPECT_TRUE(std::equal(set0.begin(), set0.end(), mk.ColorPresets()[0].begin()));
  EXPECT_TRUE(std::equal(set1.begin(), set1.end(), mk.ColorPresets()[3].begin()));
  EXPECT_EQ(mk.Rec(BlockId::Display).Bytes()[248], mk.ColorPresets()[0][0]);
  EXPECT_EQ(mk.Rec(BlockId::Display).Bytes()[304 + 55], mk.ColorPresets()[3][55]);
}

}  // namespace
}  // namespace mk::device
