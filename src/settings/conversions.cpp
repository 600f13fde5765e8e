// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/conversions.h"

#include <cfenv>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "device/value_rules.h"
#include "text/error.h"

namespace mk::settings {

namespace {

bool Leap(int year) {
  return year % 4 == 0;
}

int MonthLength(int month, int year) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && Leap(year) ? 29 : kDays[month - 1];
}

std::int64_t LeapDays(std::int64_t year) {
  return year == 0 ? 0 : (year - 1) / 4;
}

bool TwoDigits(std::string_view text, std::size_t at, int& value) {
  if (at + 2 > text.size()) return false;
  const char a = text[at], b = text[at + 1];
  if (a < '0' || a > '9' || b < '0' || b > '9') return false;
  value = (a - '0') * 10 + (b - '0');
  return true;
}

}  // namespace

double RoundHalfEven(double value) {
  // std::nearbyint follows the rounding mode; the default one rounds halves to even.
  const int mode = std::fegetround();
  if (mode == FE_TONEAREST) return std::nearbyint(value);
  std::fesetround(FE_TONEAREST);
  const double rounded = std::nearbyint(value);
  std::fesetround(mode);
  return rounded;
}

double PercentShown(double factor) {
  const double nudged = factor >= 1 ? factor + 0.00001 : factor - 0.00001;
  const double shown = RoundHalfEven((nudged - 1) * 1000) / 10;
  return shown == 0 ? 0.0 : shown;  // no "-0.0"
}

double PercentStored(double shown) {
  return 1 + shown / 100;
}

std::string TimeShown(std::uint32_t minutes) {
  char text[8];
  std::snprintf(text, sizeof text, "%02u:%02u", (minutes / 60) % 24, minutes % 60);
  return text;
}

namespace {

// The masked edit may leave blanks: read what digits are there.
int Digits(std::string_view part) {
  int value = 0;
  for (char c : part) {
    if (c >= '0' && c <= '9') value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::uint16_t TimeStored(std::string_view text) {
  if (text.size() < 3 || text[2] != ':') return 0;
  return static_cast<std::uint16_t>(Digits(text.substr(0, 2)) * 60 + Digits(text.substr(3, 2)));
}

bool TimeInDay(std::string_view text) {
  if (text.size() < 3 || text[2] != ':') return true;
  return Digits(text.substr(0, 2)) <= 23 && Digits(text.substr(3, 2)) <= 59;
}

std::uint32_t DayNumber(const Date& date) {
  if (date.year < 0 || date.month < 1 || date.month > 12 || date.day < 1 ||
      date.day > MonthLength(date.month, date.year)) {
    throw RangeError();
  }
  std::int64_t before = 0;
  for (int m = 1; m < date.month; ++m) before += MonthLength(m, date.year);
  const std::int64_t n =
      365 * static_cast<std::int64_t>(date.year) + LeapDays(date.year) + before + date.day + 1;
  if (n > 65535) throw RangeError();
  return static_cast<std::uint32_t>(n);
}

Date DateOfDay(std::uint32_t day) {
  const std::int64_t b = static_cast<std::int64_t>(day) - 1;
  const std::int64_t y = (4 * b) / 1461;
  std::int64_t r = b - 365 * y - LeapDays(y);
  int month = 1;
  while (month < 12 && MonthLength(month, static_cast<int>(y)) < r) {
    r -= MonthLength(month, static_cast<int>(y));
    ++month;
  }
  return {static_cast<int>(r), month, static_cast<int>(y)};
}

bool IsDayOfDate(std::uint32_t day) {
  if (day < 2) return false;
  const Date d = DateOfDay(day);
  if (d.year > 99 || d.day < 1) return false;
  try {
    return DayNumber(d) == day;
  } catch (const RangeError&) {
    return false;
  }
}

std::string DayShown(std::uint32_t day) {
  if (day == 0) return {};
  const Date d = DateOfDay(day);
  char text[16];
  std::snprintf(text, sizeof text, "%02d.%02d.%02d", d.day, d.month, d.year % 100);
  return text;
}

std::uint32_t DayStored(std::string_view text) {
  if (text.empty()) return 0;
  Date d;
  if (text.size() != 8 || text[2] != '.' || text[5] != '.' || !TwoDigits(text, 0, d.day) ||
      !TwoDigits(text, 3, d.month) || !TwoDigits(text, 6, d.year)) {
    throw Error("«" + std::string(text) + "» не дата в виде ДД.ММ.ГГ.");
  }
  return DayNumber(d);
}

int ForsCoefIndex(std::int64_t stored) {
  const int shown = device::ForsCoefShown(static_cast<std::uint8_t>(stored));
  return shown == 4 ? 2 : shown - 1;
}

int ForsCoefStored(int index) {
  return index == 0 ? 1 : index == 1 ? 2 : 4;
}

const NumberConversion& NumberConversionOf(Conversion c) {
  static constexpr auto kSame = [](double v) { return v; };
  static constexpr NumberConversion kPlain{kSame, kSame};
  static constexpr NumberConversion kPercent{PercentShown, PercentStored};
  static constexpr NumberConversion kTimes10{[](double v) { return v / 10; },
                                             [](double v) { return v * 10; }};
  static constexpr NumberConversion kHalf{[](double v) { return v * 2; },
                                          [](double v) { return v / 2; }};
  static constexpr NumberConversion kFifth{[](double v) { return v * 5; },
                                           [](double v) { return v / 5; }};
  static constexpr NumberConversion kTenth{[](double v) { return v * 10; },
                                           [](double v) { return v / 10; }};
  switch (c) {
    case Conversion::Percent:
      return kPercent;
    case Conversion::Times10:
      return kTimes10;
    case Conversion::Half:
      return kHalf;
    case Conversion::Fifth:
      return kFifth;
    case Conversion::Tenth:
      return kTenth;
    default:
      return kPlain;
  }
}

const IndexConversion& IndexConversionOf(Conversion c) {
  using device::AlarmFirstChoice, device::AlarmSecondChoice;
  static constexpr auto kByte = [](std::int64_t v) { return static_cast<std::uint8_t>(v); };
  static constexpr IndexConversion kPlain{[](std::int64_t v) { return v; },
                                          [](int i, std::int64_t) -> std::int64_t { return i; }};
  static constexpr IndexConversion kMinus1{
      [](std::int64_t v) { return v + 1; },
      [](int i, std::int64_t) -> std::int64_t { return i - 1; }};
  static constexpr IndexConversion kPlus1{
      [](std::int64_t v) { return v - 1; },
      [](int i, std::int64_t) -> std::int64_t { return i + 1; }};
  static constexpr IndexConversion kForsCoef{
      [](std::int64_t v) -> std::int64_t { return ForsCoefIndex(v); },
      [](int i, std::int64_t) -> std::int64_t { return ForsCoefStored(i); }};
  static constexpr IndexConversion kNonZero{
      [](std::int64_t v) -> std::int64_t { return v != 0 ? 1 : 0; },
      [](int i, std::int64_t) -> std::int64_t { return i; }};
  static constexpr IndexConversion kFirst{
      [](std::int64_t v) -> std::int64_t { return AlarmFirstChoice(kByte(v)); },
      [](int i, std::int64_t old) -> std::int64_t {
        return device::AlarmModeTwoChoices(i, AlarmSecondChoice(kByte(old)));
      }};
  static constexpr IndexConversion kRepeat{
      [](std::int64_t v) -> std::int64_t { return AlarmSecondChoice(kByte(v)); },
      [](int i, std::int64_t old) -> std::int64_t {
        return device::AlarmModeTwoChoices(AlarmFirstChoice(kByte(old)), i);
      }};
  static constexpr IndexConversion kSingle{
      [](std::int64_t v) -> std::int64_t { return AlarmFirstChoice(kByte(v)); },
      [](int i, std::int64_t) -> std::int64_t { return device::AlarmModeOneChoice(i); }};
  switch (c) {
    case Conversion::IndexMinus1:
      return kMinus1;
    case Conversion::IndexPlus1:
      return kPlus1;
    case Conversion::ForsCoef:
      return kForsCoef;
    case Conversion::NonZero:
      return kNonZero;
    case Conversion::AlarmFirst:
      return kFirst;
    case Conversion::AlarmRepeat:
      return kRepeat;
    case Conversion::AlarmSingle:
      return kSingle;
    default:
      return kPlain;
  }
}

std::uint64_t GetBits(std::uint64_t word, int bit, int count) {
  const std::uint64_t mask = (std::uint64_t{1} << count) - 1;
  return (word >> bit) & mask;
}

std::uint64_t SetBits(std::uint64_t word, int bit, int count, std::uint64_t value) {
  const std::uint64_t mask = ((std::uint64_t{1} << count) - 1) << bit;
  return (word & ~mask) | ((value << bit) & mask);
}

std::string FormatNumber(double value, int decimals, char separator) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string out = text;
  if (out.starts_with('-') && std::strtod(text, nullptr) == 0) out.erase(0, 1);
  if (const auto dot = out.find('.'); dot != std::string::npos) out[dot] = separator;
  return out;
}

std::optional<double> ParseNumber(std::string_view text) {
  std::string copy(text);
  for (char& c : copy) {
    if (c == ',') c = '.';
  }
  if (copy.empty() || copy.front() == '+') return std::nullopt;
  double value = 0;
  const auto [end, error] = std::from_chars(copy.data(), copy.data() + copy.size(), value);
  if (error != std::errc() || end != copy.data() + copy.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace mk::settings
