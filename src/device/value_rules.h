// SPDX-License-Identifier: GPL-3.0-or-later
// Small rules for how some stored values are shown and chosen.
#pragma once

#include <cstdint>

namespace mk::device {

/// The tachometer coefficient as shown: 1 and 2 as themselves, anything else as 4.
int ForsCoefShown(std::uint8_t stored);

/// An alarm with one style choice `choice` (0..7) stores it in both fields: 9 x choice.
/// Throws mk::RangeError for a choice above 7.
std::uint8_t AlarmModeOneChoice(int choice);
/// An alarm with two choices: `first` in bits 0-2, `second` in bits 3-5.
std::uint8_t AlarmModeTwoChoices(int first, int second);
inline int AlarmFirstChoice(std::uint8_t mode) {
  return mode & 7;
}
inline int AlarmSecondChoice(std::uint8_t mode) {
  return (mode >> 3) & 7;
}

}  // namespace mk::device
