// SPDX-License-Identifier: GPL-3.0-or-later
// A recording the tests own: the factory's headers unless changed, and
// samples chosen by the test.
#pragma once

#include <array>
#include <cstdint>

#include "scope/osc_drawing.h"
#include "scope/osc_recording.h"

namespace mk::scope::testing {

struct OwnedRecording {
  std::array<std::uint8_t, kHeaderSize> header1{1, 0, 0, 0, 25, 0, 0, 0};
  std::array<std::uint8_t, kHeaderSize> header2{1, 0, 0, 0, 25, 0, 0, 0};
  std::array<std::uint8_t, kSampleCount> samples{};

  OscRecording View() const { return {header1, header2, samples}; }
  void SetLevels(int part1, int part2) {
    header1[4] = static_cast<std::uint8_t>(part1);
    header1[5] = static_cast<std::uint8_t>(part1 >> 8);
    header2[4] = static_cast<std::uint8_t>(part2);
    header2[5] = static_cast<std::uint8_t>(part2 >> 8);
  }
};

/// The view of a recording taken and shown at time index 1 (1 ms a division).
inline OscView ViewAt(int offset, int base_time_index = 1) {
  OscView view;
  view.offset = offset;
  view.base_time_index = base_time_index;
  return view;
}

}  // namespace mk::scope::testing
