// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a screen of a settings image, and handing the canvas on in 8-bit colour.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "preview/canvas.h"
#include "preview/screen_kind.h"

namespace mk::device {
class TMK;
}

namespace mk::preview {

/// The working colour set that `ActiveColorScheme` puts on the screens: 1
/// when its low four bits say the user's scheme (4), else 0.
std::size_t WorkingColorSetIndex(std::uint8_t active_color_scheme);

/// Draws screen `screen` (0-based) of `kind` from the model's Display record
/// with its parameter catalogue, in working colour set `color_set` (0 or 1).
/// mk::Error for a screen the kind does not have.
void RenderScreen(Canvas& canvas, const device::TMK& mk, ScreenKind kind, int screen,
                  std::size_t color_set);
/// The same in the colour set the image's active scheme selects.
void RenderScreen(Canvas& canvas, const device::TMK& mk, ScreenKind kind, int screen);

/// A single-parameter screen of parameter `code`, in working colour set `color_set`.
void RenderX1(Canvas& canvas, const device::TMK& mk, std::uint8_t code, std::size_t color_set);
/// The MK's menu showing hot menu `list` of the image, its first item active.
void RenderHotMenu(Canvas& canvas, const device::TMK& mk, int list, std::size_t color_set);

/// Pixels as 0xFFRRGGBB words, row by row (what a 32-bit image takes).
void ToArgb32(const Canvas& canvas, std::span<std::uint32_t> out);
/// Pixels as R, G, B bytes, row by row.
std::vector<std::uint8_t> ToRgb24(const Canvas& canvas);

}  // namespace mk::preview
