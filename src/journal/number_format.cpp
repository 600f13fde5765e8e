// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace mk::journal {

std::string TwoDigit(std::uint64_t value) {
  std::string text = std::to_string(value);
  return text.size() == 1 ? "0" + text : text;
}

std::string Plain(std::int64_t value) {
  return std::to_string(value);
}

std::string Hex4(std::uint32_t value) {
  std::array<char, 16> buffer{};
  std::snprintf(buffer.data(), buffer.size(), "%04X", static_cast<unsigned>(value));
  return buffer.data();
}

std::string Fixed(double value, int decimals, std::string_view separator) {
  // to_chars ignores the C library's locale, which a window program sets to
  // the user's: the separator is ours to choose.
  std::array<char, 400> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::fixed, decimals);
  if (error != std::errc()) return "?";
  std::string text(buffer.data(), end);
  // A negative value that rounds to zero shows as zero, not "-0,0".
  if (text.starts_with('-') && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  if (const auto dot = text.find('.'); dot != std::string::npos) {
    text.replace(dot, 1, separator);
  }
  return text;
}

std::string RoundedHalfEven(double value) {
  if (!std::isfinite(value)) return "?";
  double whole = std::floor(value);
  const double rest = value - whole;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0.0)) whole += 1.0;
  return Fixed(whole, 0, ".");
}

}  // namespace mk::journal
