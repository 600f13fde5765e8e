// SPDX-License-Identifier: GPL-3.0-or-later
// The colours a screen is drawn in: one working colour set of the image, its
// palette and the palette indices of each screen element.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "device/colors.h"
#include "preview/canvas.h"

namespace mk::preview {

// Stored positions of the element colours within their group of a colour set.
enum class DigitPart { Color1 = 0, Back1 = 1, Color2 = 2, Back2 = 3, Frame = 4 };
enum class MenuPart { ActiveColor = 0, ActiveBack = 1, HotNumber = 2 };
enum class GraphPart { Axes = 0, Back = 1, Line1 = 2, Line2 = 3, LabelBack = 4 };
enum class ArrowPart {
  Back = 0,
  LabelColor = 1,
  LeftDial = 2,
  RightDial = 3,
  LeftScale = 4,
  RightScale = 5,
  LeftNeedle = 6,
  RightNeedle = 7,
  LabelBack = 8,
  HighScale = 9,
};

/// A view of a 56-byte colour set. A palette index above 15 is taken modulo
/// 16, so a damaged set still draws in colours of its own palette.
class ScreenColors {
 public:
  explicit ScreenColors(std::span<const std::uint8_t> color_set);

  Color Palette(std::size_t index) const { return palette_[index % device::kPaletteSize]; }
  /// The colour of the element whose index sits at `offset` in the set.
  Color AtOffset(std::size_t offset) const {
    return Palette(indices_[offset - 2 * device::kPaletteSize]);
  }

  Color Digit(DigitPart p) const { return AtOffset(device::kDigitsIndexOffset + Pos(p)); }
  Color Menu(MenuPart p) const { return AtOffset(device::kMenuIndexOffset + Pos(p)); }
  Color Graph(GraphPart p) const { return AtOffset(device::kGraphIndexOffset + Pos(p)); }
  Color Arrow(ArrowPart p) const { return AtOffset(device::kGaugeIndexOffset + Pos(p)); }

 private:
  template <typename E>
  static std::size_t Pos(E e) {
    return static_cast<std::size_t>(e);
  }
  Color palette_[device::kPaletteSize] = {};
  std::uint8_t indices_[device::kColorIndexCount] = {};
};

}  // namespace mk::preview
