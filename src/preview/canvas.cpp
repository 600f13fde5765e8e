// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/canvas.h"

#include <algorithm>

namespace mk::preview {

Rgb8 Widen(Color c) {
  const auto r = static_cast<std::uint32_t>((c >> 11) & 0x1F);
  const auto g = static_cast<std::uint32_t>((c >> 5) & 0x3F);
  const auto b = static_cast<std::uint32_t>(c & 0x1F);
  return Rgb8{static_cast<std::uint8_t>(((r * 541052U) >> 16) & 0xFF),
              static_cast<std::uint8_t>(((g * 266294U) >> 16) & 0xFF),
              static_cast<std::uint8_t>(((b * 541052U) >> 16) & 0xFF)};
}

void Canvas::Fill(Color c) {
  px_.fill(c);
}

void Canvas::FillAbsolute(int x0, int y0, int x1, int y1, Color c) {
  x0 = std::max(x0, 0);
  y0 = std::max(y0, 0);
  x1 = std::min(x1, kScreenWidth);
  y1 = std::min(y1, kScreenHeight);
  for (int y = y0; y < y1; ++y) {
    auto* row = px_.data() + y * kScreenWidth;
    std::fill(row + x0, row + std::max(x0, x1), c);
  }
}

void Canvas::FillRect(int x, int y, int w, int h, Color c) {
  if (w <= 0 || h <= 0) return;
  FillAbsolute(ox_ + x, oy_ + y, ox_ + x + w, oy_ + y + h, c);
}

void Canvas::HLine(int x, int y, int length, int thickness, Color c) {
  FillRect(x, y - thickness / 2, length, thickness, c);
}

void Canvas::VLine(int x, int y, int length, int thickness, Color c) {
  FillRect(x - thickness / 2, y, thickness, length, c);
}

void Canvas::Picture(int x, int y, const MonoPicture& picture, Color fg) {
  const int stride = (picture.width + 7) / 8;
  if (picture.bits.size() < static_cast<std::size_t>(stride * picture.height)) return;
  for (int row = 0; row < picture.height; ++row) {
    const std::uint8_t* bits = picture.bits.data() + row * stride;
    for (int col = 0; col < picture.width; ++col) {
      const std::uint8_t byte = bits[col / 8];
      if (byte == 0) {  // skip blank bytes whole: pictures are mostly empty or mostly full
        col |= 7;
        continue;
      }
      if (byte & (0x80 >> (col % 8))) Put(ox_ + x + col, oy_ + y + row, fg);
    }
  }
}

void Canvas::Text(int col, int row, FontId font_id, std::string_view cp1251, Color fg, Color bg) {
  const Font& font = GetFont(font_id);
  const int columns = kScreenWidth / font.width;
  const int rows = kScreenHeight / font.height;
  if (row < 0 || row >= rows) return;
  const int row_bytes = font.RowBytes();
  for (std::size_t i = 0; i < cp1251.size(); ++i) {
    const int cell = col + static_cast<int>(i);
    if (cell < 0) continue;
    if (cell >= columns) break;
    const int glyph = GlyphIndex(font, static_cast<unsigned char>(cp1251[i]));
    if (glyph < 0 || glyph >= font.glyph_count) continue;
    const unsigned char* bits = font.Glyph(glyph);
    const int x0 = ox_ + cell * font.width;
    const int y0 = oy_ + row * font.height;
    for (int y = 0; y < font.height; ++y, bits += row_bytes) {
      for (int x = 0; x < font.width; ++x) {
        Put(x0 + x, y0 + y, (bits[x / 8] & (0x80 >> (x % 8))) ? fg : bg);
      }
    }
  }
}

}  // namespace mk::preview
