// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/screen_painter.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <vector>

#include "text/cp1251.h"

namespace mk::preview {

std::string ToScreenText(std::string_view utf8) {
  return text::Utf8ToCp1251(utf8);
}

void TextAt(Canvas& canvas, int x, int y, FontId font, std::string_view cp1251, Color fg,
            Color bg) {
  const int ox = canvas.OriginX(), oy = canvas.OriginY();
  canvas.SetOrigin(x, y);
  canvas.Text(0, 0, font, cp1251, fg, bg);
  canvas.SetOrigin(ox, oy);
}

void CentredText(Canvas& canvas, const Rect& area, int y, FontId font, std::string_view cp1251,
                 Color fg, Color bg) {
  const int width = GetFont(font).width;
  const std::size_t fits = static_cast<std::size_t>(std::max(area.w / width, 0));
  const std::string_view shown = cp1251.substr(0, std::min(fits, cp1251.size()));
  const int x = area.x + (area.w - static_cast<int>(shown.size()) * width) / 2;
  TextAt(canvas, x, y, font, shown, fg, bg);
}

void Frame(Canvas& canvas, const Rect& area, int thickness, Color c) {
  canvas.FillRect(area.x, area.y, area.w, thickness, c);
  canvas.FillRect(area.x, area.y + area.h - thickness, area.w, thickness, c);
  canvas.FillRect(area.x, area.y, thickness, area.h, c);
  canvas.FillRect(area.x + area.w - thickness, area.y, thickness, area.h, c);
}

void ThickLine(Canvas& canvas, int x0, int y0, int x1, int y1, int thickness, Color c) {
  const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
  const int half = thickness / 2;
  for (int i = 0; i <= steps; ++i) {
    const int x = steps == 0 ? x0 : x0 + (x1 - x0) * i / steps;
    const int y = steps == 0 ? y0 : y0 + (y1 - y0) * i / steps;
    canvas.FillRect(x - half, y - half, thickness, thickness, c);
  }
}

namespace {

struct DiscBits {
  int size = 0;
  std::vector<std::uint8_t> bits;
};

const DiscBits& DiscPicture(int radius) {
  static std::map<int, DiscBits> cache;  // a handful of radii, built on first use
  auto [it, added] = cache.try_emplace(radius);
  if (added) {
    DiscBits& d = it->second;
    d.size = 2 * radius + 1;
    const int stride = (d.size + 7) / 8;
    d.bits.assign(static_cast<std::size_t>(stride * d.size), 0);
    for (int y = 0; y < d.size; ++y) {
      for (int x = 0; x < d.size; ++x) {
        const int dx = x - radius, dy = y - radius;
        if (dx * dx + dy * dy <= radius * radius + radius) {
          d.bits[static_cast<std::size_t>(y * stride + x / 8)] |=
              static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
      }
    }
  }
  return it->second;
}

}  // namespace

void Disc(Canvas& canvas, int cx, int cy, int radius, Color c) {
  if (radius <= 0) return;
  const DiscBits& d = DiscPicture(radius);
  canvas.Picture(cx - radius, cy - radius, MonoPicture{d.size, d.size, d.bits}, c);
}

}  // namespace mk::preview
