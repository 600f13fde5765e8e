// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/transfer_plan.h"

#include <string>

#include "text/error.h"

namespace mk::device {
namespace {

constexpr std::size_t kImageBase = 32;  // the first page of the memory is never read

}  // namespace

std::vector<RegionToWrite> PlanRegions(const BlockDirectory& directory, std::size_t image_size,
                                       std::size_t memory_size) {
  std::vector<RegionToWrite> regions;
  const std::size_t count = directory.EntriesToWrite();
  regions.reserve(count);
  for (std::size_t k = 1; k <= count; ++k) {
    const int entry = static_cast<int>(k);
    const std::size_t address = directory.BlockAddress[k - 1];
    const std::size_t bytes = directory.DataLength(entry);
    const bool inside = address >= kImageBase && bytes <= memory_size / 2 &&
                        address <= memory_size / 2 - bytes && address - kImageBase <= image_size &&
                        bytes <= image_size - (address - kImageBase);
    if (!inside) {
      throw Error("Блок " + std::to_string(k) + " настроек лежит вне образа памяти.");
    }
    regions.push_back({entry, static_cast<std::uint16_t>(address), address - kImageBase, bytes});
  }
  return regions;
}

int RoundPercent(std::size_t done, std::size_t total) {
  if (total == 0) return 0;
  return static_cast<int>((done * 200 + total) / (2 * total));
}

}  // namespace mk::device
