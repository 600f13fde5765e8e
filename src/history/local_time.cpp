// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/local_time.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace mk::history {
namespace {

// Days from 1970-01-01 to a civil date, and back (the era algorithm: a year
// starting in March, so the leap day is the last of its year).
std::int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0 && (a < 0) != (b < 0)) ? 1 : 0);
}

}  // namespace

bool IsLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool ValidDate(int year, int month, int day) {
  return day >= 1 && day <= DaysInMonth(year, month);
}

LocalMinutes ToMinutes(const CivilTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * 1440 + t.minutes;
}

CivilTime FromMinutes(LocalMinutes m) {
  CivilTime t;
  const std::int64_t days = FloorDiv(m, 1440);
  CivilFromDays(days, t.year, t.month, t.day);
  t.minutes = static_cast<int>(m - days * 1440);
  return t;
}

std::string IsoText(LocalMinutes m) {
  const CivilTime t = FromMinutes(m);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d", t.year, t.month, t.day,
                t.minutes / 60, t.minutes % 60);
  return text;
}

std::string ShownText(LocalMinutes m) {
  const CivilTime t = FromMinutes(m);
  char text[32];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d %02d:%02d", t.day, t.month, t.year,
                t.minutes / 60, t.minutes % 60);
  return text;
}

LocalMinutes LocalFromSeconds(std::int64_t seconds) {
  const auto t = static_cast<std::time_t>(seconds);
  // localtime's buffer is shared; the programs read the time on one thread.
  const std::tm* local = std::localtime(&t);
  if (local == nullptr) return seconds / 60;
  return ToMinutes({local->tm_year + 1900, local->tm_mon + 1, local->tm_mday,
                    local->tm_hour * 60 + local->tm_min});
}

LocalMinutes LocalNow() {
  return LocalFromSeconds(std::chrono::duration_cast<std::chrono::seconds>(
                              std::chrono::system_clock::now().time_since_epoch())
                              .count());
}

std::optional<LocalMinutes> ParseIsoTime(std::string_view text) {
  const auto number = [&](std::size_t at, std::size_t digits, int& out) {
    if (at + digits > text.size()) return false;
    out = 0;
    for (std::size_t i = at; i < at + digits; ++i) {
      if (text[i] < '0' || text[i] > '9') return false;
      out = out * 10 + (text[i] - '0');
    }
    return true;
  };
  CivilTime t;
  if (!number(0, 4, t.year) || text.size() < 10 || text[4] != '-' || !number(5, 2, t.month) ||
      text[7] != '-' || !number(8, 2, t.day) || !ValidDate(t.year, t.month, t.day)) {
    return std::nullopt;
  }
  if (text.size() == 10) return ToMinutes(t);
  int hour = 0;
  int minute = 0;
  if (text.size() != 16 || text[10] != 'T' || !number(11, 2, hour) || text[13] != ':' ||
      !number(14, 2, minute) || hour > 23 || minute > 59) {
    return std::nullopt;
  }
  t.minutes = hour * 60 + minute;
  return ToMinutes(t);
}

}  // namespace mk::history
