// SPDX-License-Identifier: GPL-3.0-or-later
#include "scope/osc_scales.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "text/error.h"

namespace mk::scope {
namespace {

struct TimeScale {
  const char* caption;  // "мс/деление", padded to three places as drawn
  int rate;             // divisions per second
};

constexpr TimeScale kTimeTable[kTimeScales] = {
    {"0.5", 2000}, {"  1", 1000}, {"  2", 500}, {"  5", 200}, {" 10", 100},
    {" 20", 50},   {" 50", 20},   {"100", 10},  {"200", 5},   {"500", 2},
};

constexpr double kVoltsPerDivision[kRanges] = {0.2, 0.5, 1.0};
constexpr double kDividerFactor[kDividers] = {1.0, 0.1, 0.01};
constexpr const char* kVoltCaptions[kDividers][kRanges] = {
    {"0.2", "0.5", "  1"},
    {"  2", "  5", " 10"},
    {" 20", " 50", "100"},
};

int Checked(int index, int size, const char* what) {
  if (index < 0 || index >= size) {
    throw RangeError("Ошибка проверки диапазона: " + std::string(what) + " " +
                     std::to_string(index) + " вне 0…" + std::to_string(size - 1) + ".");
  }
  return index;
}

int CheckedRange(int index) {
  return Checked(index, kRanges, "диапазон напряжения");
}

int CheckedDivider(int index) {
  return Checked(index, kDividers, "входной делитель");
}

}  // namespace

const char* const kTimeItems[kTimeScales] = {"0.5", "1",  "2",   "5",   "10",
                                             "20",  "50", "100", "200", "500"};
const char* const kDividerItems[kDividers] = {"1 : 1", "1 : 10", "1 : 100"};

OscScales OscScales::For(int base_time_index, int time_index, int range_index, int divider_index) {
  OscScales s;
  s.base_rate = kTimeTable[CheckedTimeIndex(base_time_index)].rate;
  const TimeScale& now = kTimeTable[CheckedTimeIndex(time_index)];
  s.rate = now.rate;
  s.time_caption = now.caption;
  s.volts_per_division = kVoltsPerDivision[CheckedRange(range_index)];
  s.range_factor = RangeFactor(range_index);
  s.divider_factor = kDividerFactor[CheckedDivider(divider_index)];
  s.volt_caption = kVoltCaptions[divider_index][range_index];
  return s;
}

int CheckedTimeIndex(int index) {
  return Checked(index, kTimeScales, "масштаб времени");
}

const char* VoltCaption(int divider_index, int range_index) {
  return kVoltCaptions[CheckedDivider(divider_index)][CheckedRange(range_index)];
}

int RangeFactor(int range_index) {
  return range_index == 0 ? 1 : range_index == 1 ? 2 : 4;
}

std::string FormatFixed(double value, int decimals, char separator) {
  static constexpr long long kPowers[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
  decimals = std::clamp(decimals, 0, 7);
  const long long scale = kPowers[decimals];
  // Far beyond any value shown; keeps the conversion defined.
  const long long units = std::llround(std::clamp(value * static_cast<double>(scale), -9e15, 9e15));
  const long long magnitude = units < 0 ? -units : units;
  char buffer[32];
  char* out = buffer;
  if (units < 0) *out++ = '-';
  out = std::to_chars(out, buffer + sizeof buffer, magnitude / scale).ptr;
  if (decimals > 0) {
    *out++ = separator;
    long long fraction = magnitude % scale;
    for (int d = decimals - 1; d >= 0; --d) {
      out[d] = static_cast<char>('0' + fraction % 10);
      fraction /= 10;
    }
    out += decimals;
  }
  return std::string(buffer, out);
}

int RoundHalfEven(double value) {
  // Not std::nearbyint: that follows whatever rounding mode the process is in.
  const double down = std::floor(value);
  const double fraction = value - down;
  double result = fraction > 0.5 ? down + 1 : down;
  if (fraction == 0.5) result = std::fmod(down, 2.0) == 0 ? down : down + 1;
  // Far beyond any picture either way; keeps the conversion defined.
  constexpr double kLimit = 1e9;
  return static_cast<int>(std::clamp(result, -kLimit, kLimit));
}

}  // namespace mk::scope
