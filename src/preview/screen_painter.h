// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing helpers the screen functions share, all built on the canvas primitives.
#pragma once

#include <string>
#include <string_view>

#include "preview/canvas.h"

namespace mk::preview {

struct Rect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

/// The catalogue's UTF-8 text in the MK's code page.
std::string ToScreenText(std::string_view utf8);

/// Text with its first cell at pixel (x, y); the origin is put back afterwards.
void TextAt(Canvas& canvas, int x, int y, FontId font, std::string_view cp1251, Color fg, Color bg);
/// Text centred in `area` at row y, cut to as many characters as fit.
void CentredText(Canvas& canvas, const Rect& area, int y, FontId font, std::string_view cp1251,
                 Color fg, Color bg);
/// The frame of `area`, `thickness` pixels inside its edges.
void Frame(Canvas& canvas, const Rect& area, int thickness, Color c);

/// A straight line of square dots `thickness` wide.
void ThickLine(Canvas& canvas, int x0, int y0, int x1, int y1, int thickness, Color c);
/// A filled disc of `radius` around (cx, cy), drawn as a monochrome picture.
void Disc(Canvas& canvas, int cx, int cy, int radius, Color c);

}  // namespace mk::preview
