// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as an oscilloscope recording (two headers, 1024 samples)
// followed by a scroll offset and an opening time index: the picture, its
// SVG, the trace text and the pointer readout either work or raise the range
// error, and no line strays outside the picture by more than it may.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "scope/osc_drawing.h"
#include "scope/osc_svg.h"
#include "scope/osc_text.h"
#include "text/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace mk::scope;
  std::array<std::uint8_t, 2 * kHeaderSize + kSampleCount + 3> bytes{};
  std::memcpy(bytes.data(), data, size < bytes.size() ? size : bytes.size());
  const std::uint8_t* p = bytes.data();
  const OscRecording rec{
      std::span<const std::uint8_t, kHeaderSize>(p, kHeaderSize),
      std::span<const std::uint8_t, kHeaderSize>(p + kHeaderSize, kHeaderSize),
      std::span<const std::uint8_t, kSampleCount>(p + 2 * kHeaderSize, kSampleCount)};
  const std::uint8_t* tail = p + 2 * kHeaderSize + kSampleCount;
  OscView view;
  view.offset = OscView::kMinOffset + (tail[0] | tail[1] << 8) % 1025;
  view.base_time_index = (tail[2] & 0x3F) % 12;  // now and then out of its table

  try {
    const OscPicture picture = DrawOscilloscope(rec, view);
    for (const DrawOp& op : picture.ops) {
      if (const auto* line = std::get_if<LineOp>(&op)) {
        long long pixels = 0;
        ForEachLinePixel(*line, [&](int, int) { ++pixels; });
        // A stretched trace may run a thousand pixels a sample, no more.
        if (pixels > 2'000'000) std::abort();
      }
    }
    // The SVG and the text are the slow parts; each input runs one of them.
    if ((tail[2] & 0x40) != 0 && PictureToSvg(picture).empty()) std::abort();
    for (int x = -1; x <= view.width; x += 37) (void)PointerReadout(rec, view, x);
  } catch (const mk::RangeError&) {
  }
  if ((tail[2] & 0x40) != 0) return 0;
  try {
    if (TraceText(rec, view).empty()) std::abort();
  } catch (const mk::RangeError&) {
  }
  return 0;
}
