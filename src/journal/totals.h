// SPDX-License-Identifier: GPL-3.0-or-later
// The running totals of the Totals block: eight groups of counters, each
// shown as six (caption, value) lines, and their reset.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "journal/text_grid.h"

namespace mk::journal {

/// One group of counters, by the fields of the Totals record that hold them:
/// three u32 (seconds, metres, fuel ml) and, for groups of both fuels, a
/// separate gas counter.
struct TotalsGroup {
  const char* caption;
  const char* counters;  // "AllSum"
  const char* gas;       // "AllSumGas"; nullptr for the single-fuel groups
  bool fuel_is_gas;      // the gas-only group counts gas where the others count petrol
  bool adds_path_start;  // the All group shows the start mileage in its distance
};

/// In the order the window places them: All, Trip, Reset 1, traffic jams,
/// without jams, Reset 2, petrol only, gas only.
extern const std::array<TotalsGroup, 8> kTotalsGroups;

/// The six lines of `group`: time, distance, fuel, and the three averages.
/// When the block is too short for a value the lines before it are returned,
/// never an exception.
std::vector<CaptionedValue> TotalsLines(std::span<const std::uint8_t> totals,
                                        const TotalsGroup& group, std::string_view separator);

/// Zeroes the group's seconds, metres and fuel counters; AllPathStart stays.
/// mk::RangeError, with nothing changed, when the block is too short.
void ClearTotalsGroup(std::span<std::uint8_t> totals, const TotalsGroup& group);

}  // namespace mk::journal
