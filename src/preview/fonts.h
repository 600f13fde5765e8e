// SPDX-License-Identifier: GPL-3.0-or-later
// The four bitmap fonts of the MK screen preview. Glyphs are stored row by
// row, width / 8 bytes a row, most significant bit leftmost.
#pragma once

#include <cstddef>

namespace mk::preview {

enum class FontKind {
  Full,    // codes 32..127 and 192..255 of Windows-1251
  Digits,  // "+-.:", "0".."9", "TDNPR"; glyph 0 (blank) for anything else
};

struct Font {
  int width = 0;  // a multiple of 8
  int height = 0;
  FontKind kind = FontKind::Full;
  int glyph_count = 0;
  const unsigned char* glyphs = nullptr;

  int RowBytes() const { return width / 8; }
  const unsigned char* Glyph(int index) const {
    return glyphs + static_cast<std::size_t>(index) * static_cast<std::size_t>(RowBytes()) *
                        static_cast<std::size_t>(height);
  }
};

enum class FontId {
  Small,     // full, 8 x 16: names and units
  Large,     // full, 16 x 32: titles
  Digits,    // digits, 16 x 32: values in small places
  BigDigits  // digits, 24 x 48: values in large places
};
inline constexpr int kFontCount = 4;

const Font& GetFont(FontId id);

/// The glyph a Windows-1251 code draws with, or -1 when a full font draws
/// nothing for it (codes below 32 and 128..191).
int GlyphIndex(const Font& font, unsigned char code);

}  // namespace mk::preview
