// SPDX-License-Identifier: GPL-3.0-or-later
// The rules of the tank calibration page that need no window: how the table
// grid's texts become points, when the sensor counts as inverse, which rows
// of the seven-point calibration are in use, what the chart draws and which
// table points look like typos.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/mk.h"

namespace mk::settings {

inline constexpr std::size_t kTarirPointsMax = 68;
inline constexpr std::size_t kSevenPointsMax = 7;
/// Sensor units of the two-point and seven-point calibrations are shown 0 … 2000.
inline constexpr int kTankUnitsMax = 2000;
/// A first table point above this many units means a sensor that falls as the tank fills.
inline constexpr int kInverseUnitsAbove = 240;

/// The number a grid cell holds: its digits "0" to "9" in order, every other
/// character dropped; no digits is 0. Absurdly long digit runs stop growing
/// past any field's range, so the caller's range check still refuses them.
std::int64_t CellNumber(std::string_view text);

/// TarirLeng as the page shows it. A count above 68 (an image of another
/// layout, a damaged tank file) is set to 0 in the record first.
std::size_t TarirPointCount(device::TMK& mk);

/// Stores a count chosen on the page in TarirLeng; mk::RangeError above 68.
void SetTarirPointCount(device::TMK& mk, std::int64_t count);

/// The texts of one row of the table grid.
struct TarirRow {
  std::string litres;
  std::string units;
};

/// The grid's write-back: for each point i below TarirLeng that has a row,
/// the litres cell goes to TarirLit[i] and the units cell to TarirRes[i], by
/// CellNumber; then TarirInverse follows the first point's units. A value
/// that does not fit throws mk::RangeError naming the point, the column and
/// the range; the points before it are stored, TarirInverse is not updated.
void StoreTarirRows(device::TMK& mk, std::span<const TarirRow> rows);

/// TarirInverse := 1 when TarirRes[0] is above 240, else 0.
void UpdateTarirInverse(device::TMK& mk);

/// Row `row` (0-based) of the seven-point calibration is shown while it is
/// below the count "Кол-во точек" holds, also while that is being typed.
constexpr bool SevenPointRowShown(std::size_t row, std::int64_t count) {
  return count > 0 && row < static_cast<std::size_t>(count);
}

struct TankPoint {
  std::int64_t units = 0;
  std::int64_t litres = 0;
};

/// A table point is a likely typo when its litres fall below the previous
/// point's while its units go on the way the points before it went (the tank
/// is filled step by step, so litres only rise). It is still stored as typed.
std::vector<bool> TarirTypos(std::span<const TankPoint> points);

/// What the chart of litres against sensor units draws.
struct TankChart {
  std::vector<TankPoint> two_point;    // the line through the two points
  std::vector<TankPoint> seven_point;  // the points in use, "Кол-во точек" of them
  std::vector<TankPoint> table;        // the TarirLeng table points
  std::vector<bool> table_typos;       // per table point
};

/// The chart from the records as they stand; a TarirLeng above 68 draws no
/// table (the page sets it to 0 when it is filled).
TankChart TankChartOf(const device::TMK& mk);

}  // namespace mk::settings
