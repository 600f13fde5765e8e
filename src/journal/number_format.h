// SPDX-License-Identifier: GPL-3.0-or-later
// The number texts of the journals and totals. Every function that writes a
// fraction takes the decimal separator, so the window can pass the system's
// and the tests both kinds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mk::journal {

/// The decimal number, with a leading zero when it has one digit: 7 -> "07".
std::string TwoDigit(std::uint64_t value);

/// The decimal number without leading zeros.
std::string Plain(std::int64_t value);

/// Upper-case hexadecimal with at least four digits: 0xABC -> "0ABC".
std::string Hex4(std::uint32_t value);

/// A fixed-point decimal with exactly `decimals` digits after `separator`, no
/// thousands grouping. Values too large for a sensible text (never from
/// 32-bit counters) still give digits, never an exception.
std::string Fixed(double value, int decimals, std::string_view separator);

/// `value` rounded to the nearest integer, halves to even (2.5 -> 2, 3.5 -> 4),
/// as plain text.
std::string RoundedHalfEven(double value);

}  // namespace mk::journal
