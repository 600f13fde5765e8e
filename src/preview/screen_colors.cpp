// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/screen_colors.h"

#include "text/byte_io.h"

namespace mk::preview {

ScreenColors::ScreenColors(std::span<const std::uint8_t> color_set) {
  if (color_set.size() < device::kColorSetSize)
    return;  // all black rather than a read past the end
  for (std::size_t i = 0; i < device::kPaletteSize; ++i) {
    palette_[i] = bytes::ReadU16(color_set, 2 * i);
  }
  for (std::size_t i = 0; i < device::kColorIndexCount; ++i) {
    indices_[i] = color_set[2 * device::kPaletteSize + i];
  }
}

}  // namespace mk::preview
