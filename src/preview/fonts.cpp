// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/fonts.h"

namespace mk::preview {

extern const Font kFonts[kFontCount];  // font_data.cpp, generated

const Font& GetFont(FontId id) {
  return kFonts[static_cast<int>(id)];
}

int GlyphIndex(const Font& font, unsigned char code) {
  if (font.kind == FontKind::Full) {
    if (code >= 32 && code <= 127) return code - 32;
    if (code >= 192) return code - 96;
    return -1;
  }
  switch (code) {
    case '+':
      return 1;
    case '-':
      return 2;
    case '.':
      return 3;
    case ':':
      return 4;
    case 'T':
      return 15;
    case 'D':
      return 16;
    case 'N':
      return 17;
    case 'P':
      return 18;
    case 'R':
      return 19;
    default:
      return code >= '0' && code <= '9' ? 5 + (code - '0') : 0;
  }
}

}  // namespace mk::preview
