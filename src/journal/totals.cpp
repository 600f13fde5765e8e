#include "journal/totals.h"

#include "device/byte_io.h"
#include "journal/number_format.h"
#include "text/error.h"

namespace mk::journal {

using device::ReadU32;

const std::array<TotalsGroup, 8> kTotalsGroups = {{
    {"Накопительные / Общие", 0, 4, 8, 136, true},
    {"Поездка", 12, 16, 20, 140, false},
    {"Сброс 1", 24, 28, 32, 144, false},
    {"Пробки", 36, 40, 44, 148, false},
    {"Без пробок", 48, 52, 56, 152, false},
    {"Сброс 2 ( Между заправками )", 60, 64, 68, 156, false},
    {"Только бензин", 108, 112, 116, std::nullopt, false},
    {"Только газ", 120, 124, std::nullopt, 128, false},
}};

std::vector<CaptionedValue> TotalsLines(std::span<const std::uint8_t> totals, const TotalsGroup& g,
                                        std::string_view separator) {
  const auto counter = [&](std::optional<std::size_t> at) -> double {
    return at ? ReadU32(totals, *at) : 0.0;
  };
  std::vector<CaptionedValue> lines;
  // A group that cannot be formatted keeps the lines it has and stops quietly.
  try {
    const std::uint32_t seconds = ReadU32(totals, g.seconds);
    const double s = seconds;
    lines.emplace_back("Время", Plain(seconds / 3600) + ":" + TwoDigit((seconds / 60) % 60));
    const double start_metres =
        g.adds_path_start ? static_cast<std::int32_t>(ReadU32(totals, kAllPathStartOffset)) * 1000.0
                          : 0.0;
    const double m = counter(g.metres);
    lines.emplace_back("Пробег, км", Fixed((start_metres + m) / 1000, 3, separator));
    const double f = counter(g.petrol) + counter(g.gas);
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
  std::vector<std::size_t> counters = {g.seconds, g.metres};
  if (g.petrol) counters.push_back(*g.petrol);
  if (g.gas) counters.push_back(*g.gas);
  for (const std::size_t at : counters) {
    if (!device::FitsIn(totals.size(), at, 4)) throw RangeError();
  }
  for (const std::size_t at : counters) device::WriteU32(totals, at, 0);
}

}  // namespace mk::journal
