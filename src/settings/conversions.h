// SPDX-License-Identifier: GPL-3.0-or-later
// The conversions between what the editor shows and what the image stores,
// each on its own so it can be tested at its edges.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/setting.h"

namespace mk::settings {

/// A number conversion, both directions in one entry: the value shown for a
/// stored one, and the value stored for a shown one (before rounding).
struct NumberConversion {
  double (*shown)(double stored);
  double (*stored)(double shown);
};
const NumberConversion& NumberConversionOf(Conversion c);

/// A choice conversion, both directions in one entry: the item a stored value
/// selects (outside the list when it selects none), and what an item stores,
/// given the field's old value (the alarm modes keep their other half).
struct IndexConversion {
  std::int64_t (*index)(std::int64_t stored);
  std::int64_t (*stored)(int index, std::int64_t old);
};
const IndexConversion& IndexConversionOf(Conversion c);

/// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4, -2.5 -> -2).
double RoundHalfEven(double value);

/// A correction factor as a percentage with one decimal: nudge by 0.00001
/// away from 1, subtract 1, times 1000, round, divide by 10. 1.0 shows 0.0.
double PercentShown(double factor);
/// The factor for a shown percentage: 1 + v / 100.
double PercentStored(double shown);

/// "HH:MM" of minutes since midnight, the hours modulo 24: 1500 shows "01:00".
std::string TimeShown(std::uint32_t minutes);
/// Hours x 60 + minutes when the text has ':' third; any other text is 0.
std::uint16_t TimeStored(std::string_view text);
/// Whether the text's hours are 0 ... 23 and its minutes 0 ... 59 (a text
/// without ':' third stands for 00:00 and passes).
bool TimeInDay(std::string_view text);
/// The last minute of a day: 23:59.
inline constexpr std::uint32_t kLastMinute = 23 * 60 + 59;

struct Date {
  int day = 0, month = 0, year = 0;  // year: two digits, 2000 + year
};
/// The MK's day number: 365 y + L(y) + C(m, y) + d + 1, where L leaves out the
/// leap day of 2000 from 2001 on. 1 January 2000 is 2; 31 December 2000 and
/// 1 January 2001 are both 367. Range error above 65535 or for a day or month
/// outside the calendar.
std::uint32_t DayNumber(const Date& date);
/// The date a day number shows as (the rule run backwards); 367 is 1 January 2001.
/// `day` must be at least 1.
Date DateOfDay(std::uint32_t day);
/// The dates a date control offers: the MK's clock starts at the first, and
/// the two-digit year ends at the last.
inline constexpr Date kEarliestDate{10, 10, 11};
inline constexpr Date kLatestDate{31, 12, 99};
/// Whether a day number gives a date that shows back as itself (0, 1 and
/// numbers past the last year give none).
bool IsDayOfDate(std::uint32_t day);
/// "dd.mm.yy"; "" for 0 (no date).
std::string DayShown(std::uint32_t day);
/// From "dd.mm.yy" (characters 1-2, 4-5, 7-8); an empty text is 0, no date.
/// mk::Error for a text that is not a date.
std::uint32_t DayStored(std::string_view text);

/// The tachometer items 1, 2, 4: the item a stored value selects and the value an item stores.
int ForsCoefIndex(std::int64_t stored);
int ForsCoefStored(int index);

/// `count` bits of `word` from `bit` on.
std::uint64_t GetBits(std::uint64_t word, int bit, int count);
std::uint64_t SetBits(std::uint64_t word, int bit, int count, std::uint64_t value);

/// A number with `decimals` digits after `separator`; "-0.0" shows as "0.0".
std::string FormatNumber(double value, int decimals, char separator);
/// Reads a number written with '.' or ','; nullopt for anything else.
std::optional<double> ParseNumber(std::string_view text);

}  // namespace mk::settings
