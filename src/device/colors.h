// SPDX-License-Identifier: GPL-3.0-or-later
// Colour words of the MK's screens and the built-in colour schemes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace mk::device {

/// Red 0..31 in bits 11-15, green 0..31 in bits 6-10 with its lowest bit
/// repeated in bit 5, blue 0..31 in bits 0-4.
struct Rgb {
  int r = 0;
  int g = 0;
  int b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

std::uint16_t PackColor(int r, int g, int b);
Rgb UnpackColor(std::uint16_t word);

/// A colour set: 16 palette words (32 bytes) then 24 palette indices 0..15.
inline constexpr std::size_t kColorSetSize = 56;
inline constexpr std::size_t kPaletteSize = 16;
inline constexpr std::size_t kColorIndexCount = 24;
using ColorSetBytes = std::array<std::uint8_t, kColorSetSize>;

// Where some of the 24 indices sit within a colour set.
inline constexpr std::size_t kDigitsIndexOffset = 32;
inline constexpr std::size_t kMenuIndexOffset = 37;
inline constexpr std::size_t kGraphIndexOffset = 40;
inline constexpr std::size_t kGaugeIndexOffset = 45;

/// The four built-in schemes; the fourth is the user's reference scheme.
const std::array<ColorSetBytes, 4>& BuiltInColorPresets();

}  // namespace mk::device
