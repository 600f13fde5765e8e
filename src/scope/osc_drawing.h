// SPDX-License-Identifier: GPL-3.0-or-later
// The oscilloscope picture as a list of drawing operations: a black field, the
// grid, the scale captions, the trace and the two trigger markers. The viewer
// paints the list into its bitmap, mkctl turns it into an SVG picture.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "scope/osc_recording.h"
#include "scope/osc_scales.h"

namespace mk::scope {

/// 0xRRGGBB.
using Rgb = std::uint32_t;
inline constexpr Rgb kBlack = 0x000000;
inline constexpr Rgb kGrey = 0x808080;
inline constexpr Rgb kWhite = 0xFFFFFF;
inline constexpr Rgb kYellow = 0xFFFF00;
inline constexpr Rgb kCyan = 0x00FFFF;
inline constexpr Rgb kMagenta = 0xFF00FF;

struct FillOp {
  int x, y, width, height;
  Rgb colour;
};

/// A one-pixel line from (x0, y0) towards (x1, y1); the end pixel is not drawn.
struct LineOp {
  int x0, y0, x1, y1;
  Rgb colour;
};

/// Text whose top left corner is at (x, y), `points` high at 96 dots an inch.
struct TextOp {
  int x, y;
  Rgb colour;
  int points;
  std::string text;  // UTF-8
};

/// The pixel height of a font of `points` at 96 dots an inch.
constexpr int TextPixels(int points) {
  return (points * 96 + 36) / 72;
}

using DrawOp = std::variant<FillOp, LineOp, TextOp>;

struct OscPicture {
  int width = 0;
  int height = 0;
  std::vector<DrawOp> ops;
};

/// What the viewer shows of a recording besides its headers.
struct OscView {
  static constexpr int kMinOffset = -32;
  static constexpr int kMaxOffset = 992;
  static constexpr int kWidth = 1002;  // the viewer's drawing area
  static constexpr int kHeight = 278;

  int offset = 0;           // samples scrolled, kMinOffset…kMaxOffset
  int base_time_index = 1;  // the time index when the viewer opened: the samples' rate
  int width = kWidth;
  int height = kHeight;
  char decimal_separator = '.';
};

/// The scales the picture of `rec` uses in `view`; mk::RangeError for an index
/// out of its table.
OscScales ScalesOf(const OscRecording& rec, const OscView& view);

/// The whole picture; mk::RangeError (and no picture) for an index out of its table.
OscPicture DrawOscilloscope(const OscRecording& rec, const OscView& view);

/// Calls `pixel(x, y)` for each pixel a line covers, end pixel excluded, in
/// drawing order (Bresenham). 64-bit error terms: a line may run far outside
/// the picture when the trace is stretched.
template <typename PixelFn>
void ForEachLinePixel(const LineOp& line, PixelFn&& pixel) {
  const long long dx = line.x1 > line.x0 ? 0LL + line.x1 - line.x0 : 0LL + line.x0 - line.x1;
  const long long dy = line.y1 > line.y0 ? 0LL + line.y0 - line.y1 : 0LL + line.y1 - line.y0;
  const int step_x = line.x0 < line.x1 ? 1 : -1;
  const int step_y = line.y0 < line.y1 ? 1 : -1;
  long long err = dx + dy;
  int x = line.x0;
  int y = line.y0;
  while (x != line.x1 || y != line.y1) {
    pixel(x, y);
    const long long e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += step_x;
    }
    if (e2 <= dx) {
      err += dx;
      y += step_y;
    }
  }
}

/// The time readout of the picture: the time the scroll offset stands for.
std::string OffsetText(const OscScales& scales, int offset, char separator);

/// The sample drawn nearest to horizontal pixel `x`, or -1 when that is none
/// of the 1024.
int SampleAtX(const OscScales& scales, int offset, int x);

}  // namespace mk::scope
