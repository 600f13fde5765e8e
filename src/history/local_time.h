// SPDX-License-Identifier: GPL-3.0-or-later
// Local civil time as the MK and the user see it: minutes counted from
// 1970-01-01 00:00 of the calendar, with no time zone. The history stores and
// compares every moment in this one form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mk::history {

struct CivilTime {
  int year = 1970;
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int minutes = 0;  // of the day, 0..1439
};

/// Minutes from 1970-01-01 00:00 of the proleptic Gregorian calendar.
using LocalMinutes = std::int64_t;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
/// Whether the day exists in that year (29.02 only in leap years).
bool ValidDate(int year, int month, int day);

LocalMinutes ToMinutes(const CivilTime& t);
CivilTime FromMinutes(LocalMinutes m);

/// "2026-03-05T07:05", the form of the JSON outputs and of --at.
std::string IsoText(LocalMinutes m);
/// "2026-03-05T07:05" or "2026-03-05" (the start of that day); nothing for
/// any other text or a date that does not exist.
std::optional<LocalMinutes> ParseIsoTime(std::string_view text);

/// "05.03.2026 07:05", the tables' form.
std::string ShownText(LocalMinutes m);

/// The system's local time of a moment in seconds since 1970 (UTC).
LocalMinutes LocalFromSeconds(std::int64_t seconds);
/// The local time now.
LocalMinutes LocalNow();

}  // namespace mk::history
