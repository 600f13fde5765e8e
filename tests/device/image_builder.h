// SPDX-License-Identifier: GPL-3.0-or-later
// Images with a plausible block directory for the device model's tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/block_tables.h"
#include "text/byte_io.h"

namespace mk::device::testing {

inline constexpr std::size_t kBlock12Length = 40;

/// Record size of directory entry k, block 12 included.
inline std::size_t EntrySize(int k) {
  return k == 12 ? kBlock12Length : BlockDefOf(static_cast<BlockId>(k)).record_size;
}

/// An image of `size` bytes filled with a pattern, whose directory lists all
/// 14 blocks one after another from address 100, each with its record size
/// plus the 4 bytes that are never moved.
inline std::vector<std::uint8_t> PatternImage(std::size_t size = 8128, std::uint32_t firmware = 7) {
  std::vector<std::uint8_t> image(size);
  for (std::size_t i = 0; i < size; ++i) image[i] = static_cast<std::uint8_t>(i * 7 + 3);
  bytes::WriteU32(image, 0, 14);
  std::uint16_t address = 100;
  for (int k = 1; k <= 14; ++k) {
    const auto length = static_cast<std::uint16_t>(EntrySize(k) + 4);
    bytes::WriteU16(image, 4 + 4 * (k - 1), address);
    bytes::WriteU16(image, 6 + 4 * (k - 1), length);
    address = static_cast<std::uint16_t>(address + length);
  }
  bytes::WriteU32(image, 60, firmware);
  return image;
}

/// Image position of block k in a directory.
inline std::size_t PositionOf(const std::vector<std::uint8_t>& image, int k) {
  return bytes::ReadU16(image, 4 + 4 * (k - 1)) - 32u;
}

inline void SetEntry(std::vector<std::uint8_t>& image, int k, std::uint16_t address,
                     std::uint16_t length) {
  bytes::WriteU16(image, 4 + 4 * (k - 1), address);
  bytes::WriteU16(image, 6 + 4 * (k - 1), length);
}

}  // namespace mk::device::testing
