// SPDX-License-Identifier: GPL-3.0-or-later
// What a write sends: the regions the block directory names, checked against
// the image and the MK's memory before the first byte goes out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "device/mk.h"

namespace mk::device {

/// One directory block as the write sequence moves it.
struct RegionToWrite {
  int block = 0;              // directory entry, 1..14
  std::uint16_t address = 0;  // device address of the data part
  std::size_t position = 0;   // image position of the data part
  std::size_t bytes = 0;      // BlockLength - 4
};

/// The regions of directory entries 1..BlockCount (at most the 14 the
/// directory holds), in order. Throws mk::Error naming the first entry whose
/// data part does not lie inside the image and inside the first half of a
/// memory of `memory_size` bytes (the only place where image positions and
/// device addresses differ by exactly one page), so a damaged directory sends
/// nothing at all rather than foreign bytes to foreign addresses.
std::vector<RegionToWrite> PlanRegions(const BlockDirectory& directory, std::size_t image_size,
                                       std::size_t memory_size);

/// round(done * 100 / total), halves up; 0 when total is 0.
int RoundPercent(std::size_t done, std::size_t total);

}  // namespace mk::device
