// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/tank_calibration.h"

#include <algorithm>

#include "text/error.h"

namespace mk::settings {

namespace {

using device::BlockId;

constexpr std::int64_t kCellNumberCap = 1'000'000'000'000;

int Sign(std::int64_t v) {
  return (v > 0) - (v < 0);
}

// A cell value outside its field, in the words of the grid the user typed into.
[[noreturn]] void CellOutOfRange(std::size_t point, const char* column, std::int64_t value,
                                 const device::FieldDef& f) {
  throw RangeError("Точка тарировки " + std::to_string(point + 1) + ", " + column + ": значение " +
                   std::to_string(value) + " вне диапазона " +
                   std::to_string(device::MinValue(f.type)) + " … " +
                   std::to_string(device::MaxValue(f.type)) + ".");
}

void StoreCell(device::Record& tank, const device::FieldDef& f, std::size_t point,
               const char* column, const std::string& text) {
  const std::int64_t value = CellNumber(text);
  if (value < device::MinValue(f.type) || value > device::MaxValue(f.type)) {
    CellOutOfRange(point, column, value, f);
  }
  tank.SetInt(f, value, point);
}

}  // namespace

std::int64_t CellNumber(std::string_view text) {
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') continue;
    if (value < kCellNumberCap) value = value * 10 + (c - '0');
  }
  return value;
}

std::size_t TarirPointCount(device::TMK& mk) {
  device::Record& tank = mk.Rec(BlockId::TankCalibration);
  const std::int64_t count = tank.GetInt("TarirLeng");
  if (count > static_cast<std::int64_t>(kTarirPointsMax)) {
    tank.SetInt("TarirLeng", 0);
    return 0;
  }
  return static_cast<std::size_t>(count);
}

void SetTarirPointCount(device::TMK& mk, std::int64_t count) {
  if (count < 0 || count > static_cast<std::int64_t>(kTarirPointsMax)) {
    throw RangeError("Количество точек тарировки: значение " + std::to_string(count) +
                     " вне диапазона 0 … " + std::to_string(kTarirPointsMax) + ".");
  }
  mk.Rec(BlockId::TankCalibration).SetInt("TarirLeng", count);
}

void StoreTarirRows(device::TMK& mk, std::span<const TarirRow> rows) {
  const std::size_t count = std::min(TarirPointCount(mk), rows.size());
  device::Record& tank = mk.Rec(BlockId::TankCalibration);
  const device::FieldDef& lit = tank.Field("TarirLit");
  const device::FieldDef& res = tank.Field("TarirRes");
  for (std::size_t i = 0; i < count; ++i) {
    StoreCell(tank, lit, i, "литры", rows[i].litres);
    StoreCell(tank, res, i, "у.е.", rows[i].units);
  }
  UpdateTarirInverse(mk);
}

void UpdateTarirInverse(device::TMK& mk) {
  device::Record& tank = mk.Rec(BlockId::TankCalibration);
  tank.SetInt("TarirInverse", tank.GetInt("TarirRes", 0) > kInverseUnitsAbove ? 1 : 0);
}

std::vector<bool> TarirTypos(std::span<const TankPoint> points) {
  std::vector<bool> typos(points.size(), false);
  for (std::size_t i = 2; i < points.size(); ++i) {
    // The way the units went from the first point to the previous one.
    const int trend = Sign(points[i - 1].units - points[0].units);
    const int step = Sign(points[i].units - points[i - 1].units);
    typos[i] = trend != 0 && step == trend && points[i].litres < points[i - 1].litres;
  }
  return typos;
}

TankChart TankChartOf(const device::TMK& mk) {
  const device::Record& fuel = mk.Rec(BlockId::FuelSensor);
  const device::Record& tank = mk.Rec(BlockId::TankCalibration);
  TankChart chart;
  chart.two_point = {{fuel.GetInt("Oil6L"), fuel.GetInt("Lit6L")},
                     {fuel.GetInt("Oil43L"), fuel.GetInt("Lit43L")}};
  const auto seven = std::min<std::int64_t>(fuel.GetInt("OilCalibrQuant"), kSevenPointsMax);
  for (std::size_t k = 0; SevenPointRowShown(k, seven); ++k) {
    chart.seven_point.push_back(
        {fuel.GetInt("OilCalibrResArr", k), fuel.GetInt("OilCalibrLitArr", k)});
  }
  const std::int64_t count = tank.GetInt("TarirLeng");
  if (count <= static_cast<std::int64_t>(kTarirPointsMax)) {
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
      chart.table.push_back({tank.GetInt("TarirRes", i), tank.GetInt("TarirLit", i)});
    }
  }
  chart.table_typos = TarirTypos(chart.table);
  return chart;
}

}  // namespace mk::settings
