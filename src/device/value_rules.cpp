// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/value_rules.h"

#include "text/error.h"

namespace mk::device {

int ForsCoefShown(std::uint8_t stored) {
  return stored == 1 || stored == 2 ? stored : 4;
}

std::uint8_t AlarmModeTwoChoices(int first, int second) {
  if (first < 0 || first > 7 || second < 0 || second > 7) throw RangeError();
  return static_cast<std::uint8_t>(first | (second << 3));
}

std::uint8_t AlarmModeOneChoice(int choice) {
  return AlarmModeTwoChoices(choice, choice);
}

}  // namespace mk::device
