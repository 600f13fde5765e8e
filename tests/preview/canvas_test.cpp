// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing primitives and fonts, pixel by pixel.
#include <gtest/gtest.h>

#include "preview/canvas.h"

namespace mk::preview {
namespace {

constexpr Color kBg = 0x0001;
constexpr Color kFg = 0xF800;

bool GlyphBit(const Font& font, int glyph, int x, int y) {
  const unsigned char* bits = font.Glyph(glyph) + y * font.RowBytes();
  return (bits[x / 8] & (0x80 >> (x % 8))) != 0;
}

TEST(Widen, FullChannelsBecome255AndZeroStaysZero) {
  EXPECT_EQ(Widen(0xFFFF), (Rgb8{255, 255, 255}));
  EXPECT_EQ(Widen(0x0000), (Rgb8{0, 0, 0}));
  EXPECT_EQ(Widen(31 << 11), (Rgb8{255, 0, 0}));
  EXPECT_EQ(Widen(63 << 5), (Rgb8{0, 255, 0}));
  EXPECT_EQ(Widen(31), (Rgb8{0, 0, 255}));
  // 16 * 541052 / 65536 = 132.09; green 32 * 266294 / 65536 = 130.02.
  EXPECT_EQ(Widen(static_cast<Color>(16 << 11 | 32 << 5 | 16)), (Rgb8{132, 130, 132}));
}

TEST(Lines, ThicknessThreeIsCentredOnTheCoordinate) {
  Canvas c;
  c.Fill(kBg);
  c.HLine(10, 50, 20, 3, kFg);
  EXPECT_EQ(c.At(10, 48), kBg);
  EXPECT_EQ(c.At(10, 49), kFg);
  EXPECT_EQ(c.At(29, 51), kFg);
  EXPECT_EQ(c.At(29, 52), kBg);
  EXPECT_EQ(c.At(30, 50), kBg);
  EXPECT_EQ(c.At(9, 50), kBg);

  c.VLine(100, 5, 10, 3, kFg);
  EXPECT_EQ(c.At(98, 5), kBg);
  EXPECT_EQ(c.At(99, 5), kFg);
  EXPECT_EQ(c.At(101, 14), kFg);
  EXPECT_EQ(c.At(102, 5), kBg);
  EXPECT_EQ(c.At(100, 15), kBg);
}

TEST(Primitives, WorkRelativeToTheOriginAndClipAtTheEdges) {
  Canvas c;
  c.Fill(kBg);
  c.SetOrigin(300, 230);
  c.FillRect(10, 5, 50, 50, kFg);  // wholly outside but for nothing
  c.FillRect(-5, -5, 100, 100, kFg);
  EXPECT_EQ(c.At(294, 224), kBg);
  EXPECT_EQ(c.At(295, 225), kFg);
  EXPECT_EQ(c.At(319, 239), kFg);
  c.Fill(kBg);  // the whole canvas whatever the origin
  EXPECT_EQ(c.At(0, 0), kBg);
  EXPECT_EQ(c.At(319, 239), kBg);
}

TEST(Primitives, PictureSetsOnlyItsSetBits) {
  Canvas c;
  c.Fill(kBg);
  const std::uint8_t bits[] = {0b10100000, 0b01000000};  // 3 x 2
  c.SetOrigin(5, 5);
  c.Picture(1, 1, MonoPicture{3, 2, bits}, kFg);
  EXPECT_EQ(c.At(6, 6), kFg);
  EXPECT_EQ(c.At(7, 6), kBg);
  EXPECT_EQ(c.At(8, 6), kFg);
  EXPECT_EQ(c.At(7, 7), kFg);
  EXPECT_EQ(c.At(6, 7), kBg);
}

TEST(Text, GlyphBitsTakeForegroundAndClearBitsBackgroundInTheirCell) {
  const Font& font = GetFont(FontId::Small);
  ASSERT_EQ(font.width, 8);
  ASSERT_EQ(font.height, 16);
  Canvas c;
  c.SetOrigin(4, 2);
  c.Text(3, 2, FontId::Small, "\xC6", kFg, kBg);  // "Ж", glyph 0xC6 - 96
  const int glyph = 0xC6 - 96;
  const int x0 = 4 + 3 * 8, y0 = 2 + 2 * 16;
  int set = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool bit = GlyphBit(font, glyph, x, y);
      set += bit;
      EXPECT_EQ(c.At(x0 + x, y0 + y), bit ? kFg : kBg) << x << "," << y;
    }
  }
  EXPECT_GT(set, 10);
  EXPECT_EQ(c.At(x0 - 1, y0), 0);  // outside the cell nothing changed
  EXPECT_EQ(c.At(x0 + 8, y0), 0);
}

TEST(Text, ACharacterPastTheLastColumnOrRowIsDropped) {
  Canvas c;
  // 40 columns of 8 pixels: the 41st character never reaches the canvas,
  // even with the origin moved left so that its pixels would fit.
  c.SetOrigin(-8, 0);
  c.Text(39, 0, FontId::Small, "WW", kFg, kBg);
  int drawn = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 304; x < 312; ++x) drawn += c.At(x, y) != 0;  // column 39
    for (int x = 312; x < 320; ++x) EXPECT_EQ(c.At(x, y), 0);  // column 40: dropped
  }
  EXPECT_EQ(drawn, 8 * 16);
  Canvas rows;
  rows.Text(0, 15, FontId::Small, "W", kFg, kBg);  // 240 / 16 = 15 rows: row 15 dropped
  for (Color px : rows.Pixels()) ASSERT_EQ(px, 0);
}

TEST(Fonts, FullFontsMapBothHalvesOfTheCodePage) {
  const Font& font = GetFont(FontId::Large);
  EXPECT_EQ(font.kind, FontKind::Full);
  EXPECT_EQ(GlyphIndex(font, ' '), 0);
  EXPECT_EQ(GlyphIndex(font, 127), 95);
  EXPECT_EQ(GlyphIndex(font, 0xC0), 96);  // "А"
  EXPECT_EQ(GlyphIndex(font, 0xFF), 159);
  EXPECT_EQ(GlyphIndex(font, 31), -1);
  EXPECT_EQ(GlyphIndex(font, 0xA8), -1);  // "Ё" is not in the font: not drawn
  Canvas c;
  c.Text(0, 0, FontId::Large, "\xA8", kFg, kBg);
  EXPECT_EQ(c.At(0, 0), 0);
}

TEST(Fonts, DigitFontsHaveTheirTwentyGlyphs) {
  for (FontId id : {FontId::Digits, FontId::BigDigits}) {
    const Font& font = GetFont(id);
    EXPECT_EQ(font.kind, FontKind::Digits);
    EXPECT_EQ(font.glyph_count, 20);
    EXPECT_EQ(font.width % 8, 0);
    EXPECT_EQ(GlyphIndex(font, '+'), 1);
    EXPECT_EQ(GlyphIndex(font, '-'), 2);
    EXPECT_EQ(GlyphIndex(font, '.'), 3);
    EXPECT_EQ(GlyphIndex(font, ':'), 4);
    EXPECT_EQ(GlyphIndex(font, '0'), 5);
    EXPECT_EQ(GlyphIndex(font, '9'), 14);
    EXPECT_EQ(GlyphIndex(font, 'T'), 15);
    EXPECT_EQ(GlyphIndex(font, 'R'), 19);
    EXPECT_EQ(GlyphIndex(font, 'x'), 0);
    EXPECT_EQ(GlyphIndex(font, 0xC0), 0);
    // Glyph 0 is blank; every digit has ink.
    for (int y = 0; y < font.height; ++y) {
      for (int x = 0; x < font.width; ++x) ASSERT_FALSE(GlyphBit(font, 0, x, y));
    }
    for (int g = 5; g <= 14; ++g) {
      int ink = 0;
      for (int y = 0; y < font.height; ++y) {
        for (int x = 0; x < font.width; ++x) ink += GlyphBit(font, g, x, y);
      }
      EXPECT_GT(ink, 20) << g;
    }
  }
  EXPECT_EQ(GetFont(FontId::BigDigits).width, 24);
  EXPECT_EQ(GetFont(FontId::BigDigits).height, 48);
}

}  // namespace
}  // namespace mk::preview
