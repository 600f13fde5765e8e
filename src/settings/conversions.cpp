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

std::uint16_t TimeStored(std::string_view text) {
  int hours = 0, minutes = 0;
  if (text.size() < 3 || text[2] != ':') return 0;
  // The masked edit may leave blanks: read what digits are there.
  const auto digits = [](std::string_view part) {
    int value = 0;
    for (char c : part) {
      if (c >= '0' && c <= '9') value = value * 10 + (c - '0');
    }
    return value;
  };
  hours = digits(text.substr(0, 2));
  minutes = digits(text.substr(3, 2));
  return static_cast<std::uint16_t>(hours * 60 + minutes);
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
