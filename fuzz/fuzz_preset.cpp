// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as a settings preset, applied to the virtual MK's factory
// settings as the import does. Nothing may crash; every line is taken,
// refused or skipped, and the records can still be stored.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "device/block_tables.h"
#include "device/mk.h"
#include "settings/preset.h"
#include "sim/factory_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto image = mk::sim::ImageFromMemory(mk::sim::FactoryMemory(8192));
  mk::device::TMK mk;
  mk.ReplaceImage(1, image);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto outcome = mk::settings::ApplyPreset(mk, text);
  std::size_t lines = 1;
  for (const char c : text) lines += c == '\n' ? 1 : 0;
  if (outcome.taken.size() + outcome.refused.size() + outcome.skipped.size() > lines) std::abort();
  mk.StoreBlocks(mk::device::kSettingsBlocks);
  return 0;
}
