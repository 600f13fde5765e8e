// SPDX-License-Identifier: GPL-3.0-or-later
// The 320 x 240 canvas of colour words on which the MK's screens are drawn,
// with the drawing primitives the previews are made of. Every primitive but
// Fill works relative to a movable origin and clips at the canvas edges.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "preview/fonts.h"

namespace mk::preview {

inline constexpr int kScreenWidth = 320;
inline constexpr int kScreenHeight = 240;

/// A colour word of the MK: red in bits 11-15, green in bits 5-10, blue in bits 0-4.
using Color = std::uint16_t;

struct Rgb8 {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

/// Widens a colour word to 8 bits a channel the way the MK's own tools do, so
/// that 31 and 63 become 255.
Rgb8 Widen(Color c);

/// A monochrome picture: rows of (width + 7) / 8 bytes, most significant bit leftmost.
struct MonoPicture {
  int width = 0;
  int height = 0;
  std::span<const std::uint8_t> bits;
};

class Canvas {
 public:
  Canvas() { Fill(0); }

  void SetOrigin(int x, int y) {
    ox_ = x;
    oy_ = y;
  }
  int OriginX() const { return ox_; }
  int OriginY() const { return oy_; }

  /// The whole canvas, whatever the origin.
  void Fill(Color c);
  void FillRect(int x, int y, int w, int h, Color c);
  /// A line of `thickness` rows (columns) centred on y (x): for thickness 3
  /// at y the rows y - 1, y and y + 1.
  void HLine(int x, int y, int length, int thickness, Color c);
  void VLine(int x, int y, int length, int thickness, Color c);
  /// Set bits in `fg`; clear bits leave the canvas as it was.
  void Picture(int x, int y, const MonoPicture& picture, Color fg);
  /// Windows-1251 text in character cells: character i sits in cell column
  /// col + i at col * font width, row * font height from the origin. A
  /// character whose cell column is 320 / width or more, or whose row is
  /// 240 / height or more, is dropped. Set glyph bits take `fg`, clear bits `bg`.
  void Text(int col, int row, FontId font, std::string_view cp1251, Color fg, Color bg);

  /// The pixel at absolute canvas coordinates.
  Color At(int x, int y) const { return px_[static_cast<std::size_t>(y * kScreenWidth + x)]; }
  std::span<const Color> Pixels() const { return px_; }

 private:
  void Put(int x, int y, Color c) {
    if (x >= 0 && x < kScreenWidth && y >= 0 && y < kScreenHeight) {
      px_[static_cast<std::size_t>(y * kScreenWidth + x)] = c;
    }
  }
  void FillAbsolute(int x0, int y0, int x1, int y1, Color c);  // half-open, clipped

  std::array<Color, kScreenWidth * kScreenHeight> px_{};
  int ox_ = 0;
  int oy_ = 0;
};

}  // namespace mk::preview
