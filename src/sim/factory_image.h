// SPDX-License-Identifier: GPL-3.0-or-later
// The memory a new MK comes with: a block directory, every record at its
// defaults, a few trips, refuellings and errors, and an oscilloscope trace.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace mk::sim {

inline constexpr std::uint32_t kFactoryFirmwareVersion = 3;

/// The whole memory of an MK of `size` bytes (8192 or 32768), device
/// addresses 0..size-1. std::invalid_argument for any other size.
std::vector<std::uint8_t> FactoryMemory(std::size_t size);

/// The settings image a read of `memory` gives: everything but the first page
/// of each half.
std::vector<std::uint8_t> ImageFromMemory(std::span<const std::uint8_t> memory);

/// The inverse: a memory of `size` bytes with `image` laid around the two
/// pages a read never touches (those, and whatever the image lacks, are 0xFF
/// as in an erased memory). std::invalid_argument when the image is longer
/// than a read of that memory could give, or the size is not 8192 or 32768.
std::vector<std::uint8_t> MemoryFromImage(std::span<const std::uint8_t> image, std::size_t size);

}  // namespace mk::sim
