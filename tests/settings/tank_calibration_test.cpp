// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/tank_calibration.h"

#include <gtest/gtest.h>

#include "text/error.h"

namespace mk::settings {
namespace {

using device::BlockId;

device::Record& Tank(device::TMK& mk) {
  return mk.Rec(BlockId::TankCalibration);
}

TEST(TankCellNumber, KeepsTheDigitsInOrderAndEmptyIsZero) {
  EXPECT_EQ(CellNumber("2-41"), 241);
  EXPECT_EQ(CellNumber(" 1a2 "), 12);
  EXPECT_EQ(CellNumber("-5"), 5);
  EXPECT_EQ(CellNumber(""), 0);
  EXPECT_EQ(CellNumber("abc"), 0);
  EXPECT_EQ(CellNumber("007"), 7);
  EXPECT_GT(CellNumber(std::string(400, '9')), 32767);  // refused, not wrapped
}

TEST(TankTable, RowsGoToTheirPointsAndTheFirstUnitsSetTheInverseFlag) {
  device::TMK mk;
  Tank(mk).SetInt("TarirLeng", 2);
  const TarirRow rows[] = {{"12", "2-41"}, {"", "x"}};
  StoreTarirRows(mk, rows);
  EXPECT_EQ(Tank(mk).GetInt("TarirLit", 0), 12);
  EXPECT_EQ(Tank(mk).GetInt("TarirRes", 0), 241);
  EXPECT_EQ(Tank(mk).GetInt("TarirLit", 1), 0);
  EXPECT_EQ(Tank(mk).GetInt("TarirRes", 1), 0);
  EXPECT_EQ(Tank(mk).GetInt("TarirInverse"), 1);
  EXPECT_EQ(Tank(mk).GetInt("TarirLit", 2), 22);  // past TarirLeng: untouched

  const TarirRow at_240[] = {{"12", "240"}, {"0", "0"}};
  StoreTarirRows(mk, at_240);
  EXPECT_EQ(Tank(mk).GetInt("TarirInverse"), 0);
}

TEST(TankTable, NoPointsStoresNothingButStillSetsTheInverseFlagFromTheFirstPoint) {
  device::TMK mk;
  Tank(mk).SetInt("TarirLeng", 0);
  Tank(mk).SetInt("TarirRes", 500, 0);
  Tank(mk).SetInt("TarirLit", 9, 0);
  const TarirRow empty[] = {{"", ""}};
  StoreTarirRows(mk, empty);
  EXPECT_EQ(Tank(mk).GetInt("TarirRes", 0), 500);
  EXPECT_EQ(Tank(mk).GetInt("TarirLit", 0), 9);
  EXPECT_EQ(Tank(mk).GetInt("TarirInverse"), 1);
}

TEST(TankTable, ARangeErrorComesAfterTheEarlierPointsAreStored) {
  device::TMK mk;
  Tank(mk).SetInt("TarirLeng", 3);
  Tank(mk).SetInt("TarirInverse", 1);
  const TarirRow rows[] = {{"1", "10"}, {"256", "20"}, {"3", "30"}};
  try {
    StoreTarirRows(mk, rows);
    FAIL();
  } catch (const RangeError& e) {
    EXPECT_STREQ(e.what(), "Точка тарировки 2, литры: значение 256 вне диапазона 0 … 255.");
  }
  EXPECT_EQ(Tank(mk).GetInt("TarirLit", 0), 1);
  EXPECT_EQ(Tank(mk).GetInt("TarirRes", 0), 10);
  EXPECT_EQ(Tank(mk).GetInt("TarirLit", 1), 19);  // the default, unchanged
  EXPECT_EQ(Tank(mk).GetInt("TarirInverse"), 1);  // the rule did not run

  const TarirRow units[] = {{"1", "32768"}};
  EXPECT_THROW(StoreTarirRows(mk, units), RangeError);
  const TarirRow top[] = {{"255", "32767"}};
  StoreTarirRows(mk, top);
  EXPECT_EQ(Tank(mk).GetInt("TarirRes", 0), 32767);
}

TEST(TankTable, ACountAbove68IsSetToZeroWhenThePageIsFilled) {
  device::TMK mk;
  Tank(mk).SetInt("TarirLeng", 70);
  EXPECT_TRUE(TankChartOf(mk).table.empty());
  EXPECT_EQ(TarirPointCount(mk), 0u);
  EXPECT_EQ(Tank(mk).GetInt("TarirLeng"), 0);
  Tank(mk).SetInt("TarirLeng", 68);
  EXPECT_EQ(TarirPointCount(mk), 68u);

  EXPECT_THROW(SetTarirPointCount(mk, 69), RangeError);
  EXPECT_THROW(SetTarirPointCount(mk, -1), RangeError);
  SetTarirPointCount(mk, 4);
  EXPECT_EQ(Tank(mk).GetInt("TarirLeng"), 4);
}

TEST(TankSevenPoints, RowsShowBelowTheCountOnly) {
  EXPECT_FALSE(SevenPointRowShown(0, 0));
  EXPECT_TRUE(SevenPointRowShown(2, 3));
  EXPECT_FALSE(SevenPointRowShown(3, 3));
  EXPECT_TRUE(SevenPointRowShown(6, 7));
  EXPECT_FALSE(SevenPointRowShown(0, -1));
}

std::vector<bool> Typos(std::initializer_list<TankPoint> points) {
  return TarirTypos(std::vector<TankPoint>(points));
}

TEST(TankTypos, FallingLitresWhileTheUnitsGoOnTheirWayAreMarked) {
  // Rising sensor, point 3 typed 5 instead of 50.
  EXPECT_EQ(Typos({{0, 10}, {100, 20}, {200, 30}, {300, 5}, {400, 60}}),
            (std::vector<bool>{false, false, false, true, false}));
  // Falling sensor (inverse): same typo.
  EXPECT_EQ(Typos({{900, 10}, {800, 20}, {700, 5}, {600, 40}}),
            (std::vector<bool>{false, false, true, false}));
  // Litres falling with the units turning back is a table read backwards, not a typo.
  EXPECT_EQ(Typos({{0, 10}, {100, 20}, {50, 15}}), (std::vector<bool>{false, false, false}));
  // Equal litres, equal units and too few points mark nothing.
  EXPECT_EQ(Typos({{0, 10}, {100, 10}, {200, 10}}), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(Typos({{0, 10}, {0, 5}, {0, 1}}), (std::vector<bool>{false, false, false}));
  EXPECT_EQ(Typos({{0, 10}, {100, 5}}), (std::vector<bool>{false, false}));
  EXPECT_TRUE(Typos({}).empty());
}

TEST(TankChartData, ThreeSeriesFromTheRecords) {
  device::TMK mk;
  device::Record& fuel = mk.Rec(BlockId::FuelSensor);
  fuel.SetInt("OilCalibrQuant", 3);
  fuel.SetInt("OilCalibrResArr", 100, 2);
  fuel.SetInt("OilCalibrLitArr", 30, 2);
  fuel.SetInt("OilCalibrResArr", 999, 3);  // not in use
  Tank(mk).SetInt("TarirLeng", 4);
  Tank(mk).SetInt("TarirLit", 1, 3);

  const TankChart chart = TankChartOf(mk);
  ASSERT_EQ(chart.two_point.size(), 2u);
  EXPECT_EQ(chart.two_point[0].units, 1000);
  EXPECT_EQ(chart.two_point[0].litres, 6);
  EXPECT_EQ(chart.two_point[1].units, 10);
  EXPECT_EQ(chart.two_point[1].litres, 43);
  ASSERT_EQ(chart.seven_point.size(), 3u);
  EXPECT_EQ(chart.seven_point[2].units, 100);
  EXPECT_EQ(chart.seven_point[2].litres, 30);
  ASSERT_EQ(chart.table.size(), 4u);
  EXPECT_EQ(chart.table[3].units, 150);
  EXPECT_EQ(chart.table_typos, (std::vector<bool>{false, false, false, true}));

  fuel.SetInt("OilCalibrQuant", 200);  // a damaged count draws the seven points there are
  EXPECT_EQ(TankChartOf(mk).seven_point.size(), 7u);
}

}  // namespace
}  // namespace mk::settings
