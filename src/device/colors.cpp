// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/colors.h"

#include "text/byte_io.h"

namespace mk::device {

std::uint16_t PackColor(int r, int g, int b) {
  const int word = (r << 11) | ((g << 6) & 0x7FF) | ((g << 5) & 0x3F) | (b & 0x1F);
  return static_cast<std::uint16_t>(word);
}

Rgb UnpackColor(std::uint16_t word) {
  return Rgb{(word >> 11) & 0x1F, (word >> 6) & 0x1F, word & 0x1F};
}

namespace {

// Every scheme uses its palette slots for the same roles, so the 24 screen
// elements point at the same slots and only the palettes differ.
//   0 background   1 main text    2 accent       3 secondary text
//   4 frames       5 panels       6 menu text    7 menu selection
//   8 graph line   9 graph grid   10 warning     11 all well
//   12 second line 13 needle      14 gauge scale 15 dimmed
// clang-format off
constexpr std::uint8_t kScreenParts[kColorIndexCount] = {
    // Digit screens (offset 32): value, its ground, captions, their ground, frames.
    1, 0, 3, 5, 4,
    // Menu (offset 37): active item, its ground, number of a hot item.
    6, 7, 2,
    // Graphs (offset 40): axes and time marks, ground, line 1, line 2, caption ground.
    9, 0, 8, 12, 5,
    // Arrow screens (offset 45): ground, caption text, left and right dial,
    // left and right scale, left and right needle, caption ground, scale at
    // high consumption.
    0, 3, 5, 5, 14, 14, 13, 13, 0, 10,
    // Spare.
    0,
};
// clang-format on

struct Palette {
  Rgb colors[kPaletteSize];
};

constexpr Palette kPalettes[4] = {
    // 1: night - amber digits on black.
    {{{0, 0, 0},
      {31, 24, 4},
      {31, 31, 31},
      {24, 24, 24},
      {10, 10, 10},
      {4, 4, 8},
      {31, 31, 31},
      {31, 16, 0},
      {4, 28, 31},
      {8, 8, 8},
      {31, 4, 4},
      {6, 28, 6},
      {31, 31, 8},
      {31, 6, 2},
      {28, 28, 28},
      {12, 12, 12}}},
    // 2: day - dark text on white, for bright sunlight.
    {{{31, 31, 31},
      {0, 0, 0},
      {0, 0, 20},
      {8, 8, 8},
      {20, 20, 20},
      {26, 26, 28},
      {0, 0, 0},
      {0, 16, 31},
      {0, 0, 26},
      {24, 24, 24},
      {26, 0, 0},
      {0, 18, 0},
      {20, 8, 0},
      {28, 0, 0},
      {4, 4, 4},
      {18, 18, 18}}},
    // 3: sea - cyan digits on deep blue.
    {{{0, 2, 10},
      {8, 31, 31},
      {31, 31, 31},
      {20, 26, 31},
      {4, 10, 20},
      {0, 6, 16},
      {31, 31, 31},
      {0, 20, 31},
      {31, 31, 0},
      {2, 8, 16},
      {31, 8, 8},
      {8, 31, 8},
      {31, 16, 31},
      {31, 20, 0},
      {24, 28, 31},
      {10, 14, 20}}},
    // 4: the user's reference scheme - green digits on dark grey.
    {{{2, 2, 2},
      {8, 31, 8},
      {31, 31, 31},
      {20, 24, 20},
      {8, 10, 8},
      {4, 6, 4},
      {28, 31, 28},
      {16, 31, 0},
      {31, 31, 0},
      {6, 8, 6},
      {31, 6, 6},
      {0, 31, 20},
      {0, 24, 31},
      {31, 12, 0},
      {26, 28, 26},
      {12, 14, 12}}},
};

std::array<ColorSetBytes, 4> BuildPresets() {
  std::array<ColorSetBytes, 4> presets{};
  for (std::size_t p = 0; p < presets.size(); ++p) {
    for (std::size_t i = 0; i < kPaletteSize; ++i) {
      const Rgb& c = kPalettes[p].colors[i];
      bytes::WriteU16(presets[p], 2 * i, PackColor(c.r, c.g, c.b));
    }
    for (std::size_t i = 0; i < kColorIndexCount; ++i) {
      presets[p][2 * kPaletteSize + i] = kScreenParts[i];
    }
  }
  return presets;
}

}  // namespace

const std::array<ColorSetBytes, 4>& BuiltInColorPresets() {
  static const std::array<ColorSetBytes, 4> kPresets = BuildPresets();
  return kPresets;
}

}  // namespace mk::device
