// SPDX-License-Identifier: GPL-3.0-or-later
// Builders of Journals, Totals and ErrorJournal block bytes for the decoding tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "text/byte_io.h"

namespace mk::journal::test {

inline void PutTrip(std::vector<std::uint8_t>& block, std::size_t at, std::uint16_t minutes,
                    std::uint8_t day, std::uint8_t month, std::uint32_t seconds,
                    std::uint32_t metres, std::uint32_t petrol, std::uint32_t gas) {
  bytes::WriteU16(block, at, minutes);
  block[at + 2] = day;
  block[at + 3] = month;
  bytes::WriteU32(block, at + 4, seconds);
  bytes::WriteU32(block, at + 8, metres);
  bytes::WriteU32(block, at + 12, petrol);
  bytes::WriteU32(block, at + 16, gas);
}

/// An error record in slot `slot` of an ErrorJournal block.
inline std::size_t ErrorAt(std::size_t slot) {
  return 16 + 92 * slot;
}

inline void PutError(std::vector<std::uint8_t>& block, std::size_t slot, std::uint16_t minutes,
                     std::uint8_t day, std::uint8_t month, std::uint32_t code,
                     std::uint32_t frame_code) {
  const std::size_t at = ErrorAt(slot);
  bytes::WriteU16(block, at, minutes);
  block[at + 2] = day;
  block[at + 3] = month;
  bytes::WriteU32(block, at + 4, code);
  bytes::WriteU32(block, at + 8, frame_code);
}

inline void SetPid(std::vector<std::uint8_t>& block, int pid) {
  const auto index = static_cast<std::size_t>(pid - 1);
  block[4 + index / 8] = static_cast<std::uint8_t>(block[4 + index / 8] | (0x80 >> (index % 8)));
}

}  // namespace mk::journal::test
