// SPDX-License-Identifier: GPL-3.0-or-later
// Settings images small enough to build by hand, for the windows that show
// them: every block has its whole record, and nothing else is in the memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/block_tables.h"
#include "device/mk.h"

namespace mk::tests {

/// An 8 KB image (8128 bytes) whose directory lays blocks 1-14 out one after
/// another behind it, each with room for its whole record.
inline std::vector<std::uint8_t> LaidOutImage(std::uint32_t firmware_version = 1) {
  std::vector<std::uint8_t> image(8128, 0);
  auto put16 = [&image](std::size_t at, std::uint16_t v) {
    image[at] = static_cast<std::uint8_t>(v);
    image[at + 1] = static_cast<std::uint8_t>(v >> 8);
  };
  image[0] = static_cast<std::uint8_t>(device::kDirectoryEntries);
  std::size_t position = device::BlockDirectory::kSize;
  for (int k = 1; k <= static_cast<int>(device::kDirectoryEntries); ++k) {
    std::size_t size = 16;  // block 12 has no record; give it a little room
    for (const auto& def : device::AllBlockDefs())
      if (def.number == k) size = def.record_size;
    // An image position is the block's address less 32; the length counts 4 more bytes.
    const std::size_t entry = 4 + 4 * static_cast<std::size_t>(k - 1);
    put16(entry, static_cast<std::uint16_t>(position + 32));
    put16(entry + 2, static_cast<std::uint16_t>(size + 4));
    position += size + 4;
  }
  for (int i = 0; i < 4; ++i)
    image[device::BlockDirectory::kFirmwareVersionOffset + static_cast<std::size_t>(i)] =
        static_cast<std::uint8_t>(firmware_version >> (8 * i));
  return image;
}

/// LaidOutImage, held as device version 3, with Limits.VelocityLimit (byte 0
/// of block 6's record) set to `v` and Display.IntenseDayTime to `intense_day`.
inline std::vector<std::uint8_t> ImageWithVelocityLimit(std::uint8_t v, int intense_day = 0) {
  device::TMK mk;
  mk.ReplaceImage(3, LaidOutImage());
  mk.Rec(device::BlockId::Limits).SetInt("VelocityLimit", v);
  mk.Rec(device::BlockId::Display).SetInt("IntenseDayTime", intense_day);
  mk.StoreAll();
  return mk.Image();
}

/// The device model holding LaidOutImage of firmware 3 as device version 1,
/// every stored block at its defaults.
inline device::TMK LaidOutDefaults() {
  device::TMK mk;
  mk.ReplaceImage(1, LaidOutImage(3));
  for (device::BlockId block : device::kStoredBlocks) mk.Rec(block).ApplyDefaults();
  mk.StoreAll();
  return mk;
}

}  // namespace mk::tests
