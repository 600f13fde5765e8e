// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/totals.h"

#include <optional>
#include <utility>

#include "device/block_tables.h"
#include "journal/number_format.h"
#include "text/byte_io.h"
#include "text/error.h"

namespace mk::journal {

using bytes::ReadU32;

const std::array<TotalsGroup, 8> kTotalsGroups = {{
    {"Накопительные / Общие", "AllSum", "AllSumGas", false, true},
    {"Поездка", "TripSum", "TripSumGas", false, false},
    {"Сброс 1", "ResetSum", "ResetSumGas", false, false},
    {"Пробки", "StopSum", "StopSumGas", false, false},
    {"Без пробок", "NoStopSum", "NoStopSumGas", false, false},
    {"Сброс 2 ( Между заправками )", "TankSum", "TankSumGas", false, false},
    {"Только бензин", "OilOnlySum", nullptr, false, false},
    {"Только газ", "GasOnlySum", nullptr, true, false},
}};

namespace {

// Where a group's counters lie in the Totals block; a counter it lacks has none.
struct CounterPlaces {
  std::size_t seconds;
  std::size_t metres;
  std::optional<std::size_t> petrol;
  std::optional<std::size_t> gas;
};

std::size_t OffsetOf(const char* field) {
  return device::BlockDefOf(device::BlockId::Totals).Find(field)->offset;
}

CounterPlaces PlacesOf(const TotalsGroup& g) {
  const std::size_t base = OffsetOf(g.counters);
  CounterPlaces p{base, base + 4, base + 8, std::nullopt};
  if (g.gas) p.gas = OffsetOf(g.gas);
  if (g.fuel_is_gas) std::swap(p.petrol, p.gas);
  return p;
}

}  // namespace

std::vector<CaptionedValue> TotalsLines(std::span<const std::uint8_t> totals, const TotalsGroup& g,
                                        std::string_view separator) {
  const CounterPlaces p = PlacesOf(g);
  const auto counter = [&](std::optional<std::size_t> at) -> double {
    return at ? ReadU32(totals, *at) : 0.0;
  };
  std::vector<CaptionedValue> lines;
  // A group that cannot be formatted keeps the lines it has and stops quietly.
  try {
    const std::uint32_t seconds = ReadU32(totals, p.seconds);
    const double s = seconds;
    lines.emplace_back("Время", Plain(seconds / 3600) + ":" + TwoDigit((seconds / 60) % 60));
    const double start_metres =
        g.adds_path_start
            ? static_cast<std::int32_t>(ReadU32(totals, OffsetOf("AllPathStart"))) * 1000.0
            : 0.0;
    const double m = counter(p.metres);
    lines.emplace_back("Пробег, км", Fixed((start_metres + m) / 1000, 3, separator));
    const double f = counter(p.petrol) + counter(p.gas);
    lines.emplace_back("Расход, л", Fixed(f / 1000, 3, separator));
    // The averages use the group's own metres: the start mileage was not driven.
    lines.emplace_back("Ср.скорость, км/час", s == 0 ? "-----" : Fixed(m * 3.6 / s, 1, separator));
    lines.emplace_back("Ср.расход, л/100", m == 0 ? "-----" : Fixed(f * 100 / m, 1, separator));
    lines.emplace_back("Ср.расход, л/час", s == 0 ? "-----" : Fixed(f * 3.6 / s, 1, separator));
  } catch (const std::exception&) {
  }
  return lines;
}

void ClearTotalsGroup(std::span<std::uint8_t> totals, const TotalsGroup& g) {
  const CounterPlaces p = PlacesOf(g);
  std::vector<std::size_t> counters = {p.seconds, p.metres};
  if (p.petrol) counters.push_back(*p.petrol);
  if (p.gas) counters.push_back(*p.gas);
  for (const std::size_t at : counters) {
    if (!bytes::FitsIn(totals.size(), at, 4)) throw RangeError();
  }
  for (const std::size_t at : counters) bytes::WriteU32(totals, at, 0);
}

}  // namespace mk::journal
