// SPDX-License-Identifier: GPL-3.0-or-later
#include "preview/render.h"

#include <algorithm>

#include "device/mk.h"
#include "preview/screen_painter.h"
#include "preview/screens.h"

namespace mk::preview {

std::size_t WorkingColorSetIndex(std::uint8_t active_color_scheme) {
  return (active_color_scheme & 0x0F) == 4 ? 1 : 0;
}

void RenderScreen(Canvas& canvas, const device::TMK& mk, ScreenKind kind, int screen,
                  std::size_t color_set) {
  const device::Record& display = mk.Rec(device::BlockId::Display);
  const std::vector<std::uint8_t> codes = ScreenCodes(display, kind, screen);
  const ScreenColors colors(mk.ColorSet(std::min<std::size_t>(color_set, 1)));
  int layout = 0;
  if (kind == ScreenKind::X4) layout = display.GetInt("DispVar4") == 1 ? 1 : 0;
  if (kind == ScreenKind::X9) layout = display.GetInt("DispVar9") == 1 ? 1 : 0;
  DrawScreen(canvas, kind, ScreenInput{codes, mk.Catalogues().Params(), colors, layout});
}

void RenderScreen(Canvas& canvas, const device::TMK& mk, ScreenKind kind, int screen) {
  const auto active =
      static_cast<std::uint8_t>(mk.Rec(device::BlockId::Display).GetInt("ActiveColorScheme"));
  RenderScreen(canvas, mk, kind, screen, WorkingColorSetIndex(active));
}

void RenderX1(Canvas& canvas, const device::TMK& mk, std::uint8_t code, std::size_t color_set) {
  const ScreenColors colors(mk.ColorSet(std::min<std::size_t>(color_set, 1)));
  const std::uint8_t codes[] = {code};
  canvas.SetOrigin(0, 0);
  DrawX1(canvas, ScreenInput{codes, mk.Catalogues().Params(), colors, 0});
}

void RenderHotMenu(Canvas& canvas, const device::TMK& mk, int list, std::size_t color_set) {
  const ScreenColors colors(mk.ColorSet(std::min<std::size_t>(color_set, 1)));
  const device::Record& display = mk.Rec(device::BlockId::Display);
  std::vector<std::string> items;
  for (std::size_t row = 0; row < 10; ++row) {
    const auto code =
        static_cast<std::uint16_t>(display.GetInt("HotMenu", static_cast<std::size_t>(list), row));
    const catalog::TMKMenuItem* item = mk.Catalogues().Menu().FindMenuItemByCode(code);
    if (code != 0) items.push_back(item != nullptr ? ToScreenText(item->Caption) : std::string());
  }
  canvas.SetOrigin(0, 0);
  DrawMenu(canvas, colors, items, 0);
}

namespace {

/// Widens pixel by pixel, reusing the last result: a screen has few colours
/// and long runs of each, and this runs after every click in the editor.
template <typename Put>
void WidenPixels(const Canvas& canvas, Put put) {
  Color last = 0;
  Rgb8 wide = Widen(last);
  for (Color px : canvas.Pixels()) {
    if (px != last) {
      last = px;
      wide = Widen(px);
    }
    put(wide);
  }
}

}  // namespace

void ToArgb32(const Canvas& canvas, std::span<std::uint32_t> out) {
  std::size_t i = 0;
  const std::size_t n = std::min(out.size(), canvas.Pixels().size());
  WidenPixels(canvas, [&](const Rgb8& c) {
    if (i < n) {
      out[i++] = 0xFF000000U | static_cast<std::uint32_t>(c.r) << 16 |
                 static_cast<std::uint32_t>(c.g) << 8 | c.b;
    }
  });
}

std::vector<std::uint8_t> ToRgb24(const Canvas& canvas) {
  std::vector<std::uint8_t> out;
  out.reserve(canvas.Pixels().size() * 3);
  WidenPixels(canvas, [&](const Rgb8& c) { out.insert(out.end(), {c.r, c.g, c.b}); });
  return out;
}

}  // namespace mk::preview
