// SPDX-License-Identifier: GPL-3.0-or-later
// The history's charts as drawing lists, as the oscilloscope's picture is:
// the window paints them, mkctl and the window save them as SVG.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "history/history_store.h"
#include "scope/osc_drawing.h"

namespace mk::history {

enum class ChartKind {
  Consumption,  // l/100 km of each trip over time, with a moving average
  Monthly,      // distance per month as bars
  Refuels,      // days between refuellings
  MonthlyFuel,  // fuel per month as bars
  MonthlyCost,  // cost per month as bars
};

/// Where a point or bar lies in the picture and what it stands for, so that
/// the window can tell the values of the one under the pointer.
struct ChartTip {
  int x, y, width, height;
  std::string text;  // UTF-8: "05.03.2026 07:05: 7,9 л/100 км"
};

struct ChartSize {
  int width = 900;
  int height = 400;
};

/// The chart of `kind` from the trips, refuellings and monthly statistics
/// (only the ones the kind needs are read). An empty history draws the axes
/// and the note "Нет данных". With `tips`, they receive each point's or bar's
/// place and values, numbers written with `separator`.
scope::OscPicture DrawChart(ChartKind kind, const std::vector<StoredEntry>& trips,
                            const std::vector<StoredEntry>& refuels,
                            const std::vector<StatsRow>& months, ChartSize size = {},
                            std::vector<ChartTip>* tips = nullptr,
                            std::string_view separator = ",");

}  // namespace mk::history
