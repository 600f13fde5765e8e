// SPDX-License-Identifier: GPL-3.0-or-later
#include "scope/osc_drawing.h"

#include <string>

#include "text/error.h"

namespace mk::scope {
namespace {

constexpr int kBottom = 256;    // the trace area is 8 divisions high
constexpr int kTraceLeft = 64;  // where the trigger sample lies unscrolled
constexpr int kCaptionY = 258;
constexpr int kCaptionPoints = 10;

void Line(OscPicture& p, int x0, int y0, int x1, int y1, Rgb colour) {
  p.ops.emplace_back(LineOp{x0, y0, x1, y1, colour});
}

void Text(OscPicture& p, int x, Rgb colour, std::string text) {
  p.ops.emplace_back(TextOp{x, kCaptionY, colour, kCaptionPoints, std::move(text)});
}

void Grid(OscPicture& p) {
  const int w = p.width;
  for (int k = 0; k <= 8; ++k)
    Line(p, 0, kBottom - kDivision * k, w - 1, kBottom - kDivision * k, kGrey);
  Line(p, 0, kBottom + 1, w, kBottom + 1, kGrey);
  Line(p, 0, -1, w, -1, kGrey);
  for (int k = 0; k <= w / kDivision; ++k) Line(p, kDivision * k, 0, kDivision * k, kBottom, kGrey);
}

void Captions(OscPicture& p, const OscRecording& rec, const OscScales& s, const OscView& view) {
  const char sep = view.decimal_separator;
  Text(p, 10, kWhite, s.volt_caption + "В/д");
  Text(p, 100, kWhite, s.time_caption + "мс/д");
  Text(p, 200, kMagenta, OffsetText(s, view.offset, sep) + "мс");
  Text(p, 300, kCyan, FormatFixed(rec.TriggerLevel2() / 10.0 / s.divider_factor, 1, sep) + "В");
}

void Trace(OscPicture& p, const OscRecording& rec, const OscScales& s, int offset) {
  const double sx = s.Sx();
  const double sy = s.Sy();
  const auto x = [&](int i) {
    return RoundHalfEven((i - kTriggerSample - offset) * sx + kTraceLeft);
  };
  const auto y = [&](int i) { return RoundHalfEven(kBottom - rec.samples[i] * 256.0 / sy); };
  for (int i = 0; i + 1 < static_cast<int>(kSampleCount); ++i) {
    const int x0 = x(i);
    const int x1 = x(i + 1);
    if (x1 >= 0 && x0 < p.width) Line(p, x0, y(i), x1, y(i + 1), kYellow);
  }
}

// Small arrows at both edges at the height of part 1's trigger level.
void LevelMarker(OscPicture& p, const OscRecording& rec, const OscScales& s) {
  const int l = RoundHalfEven(kBottom - rec.TriggerLevel1() * 256.0 / s.volts_per_division / 80);
  const int w = p.width;
  for (int d = 0; d <= 3; ++d) {
    for (int sign : {-1, 1}) {
      if (d == 0 && sign > 0) break;
      Line(p, 0, l + sign * d, 4 - d, l + sign * d, kCyan);
      Line(p, w - 1, l + sign * d, w - 5 + d, l + sign * d, kCyan);
    }
  }
}

// A small arrow on the bottom line under the trigger sample.
void TimeMarker(OscPicture& p, const OscScales& s, int offset) {
  const int x = RoundHalfEven(kTraceLeft - offset * s.Sx());
  for (int d = 0; d <= 3; ++d) {
    for (int sign : {-1, 1}) {
      if (d == 0 && sign > 0) break;
      Line(p, x + sign * d, kBottom, x + sign * d, kBottom - 4 + d, kMagenta);
    }
  }
}

}  // namespace

OscScales ScalesOf(const OscRecording& rec, const OscView& view) {
  if (view.offset < OscView::kMinOffset || view.offset > OscView::kMaxOffset) {
    throw RangeError("Ошибка проверки диапазона: сдвиг " + std::to_string(view.offset) + " вне " +
                     std::to_string(OscView::kMinOffset) + "…" +
                     std::to_string(OscView::kMaxOffset) + ".");
  }
  return OscScales::For(view.base_time_index, rec.TimeIndex(), rec.RangeIndex(),
                        rec.DividerIndex2());
}

OscPicture DrawOscilloscope(const OscRecording& rec, const OscView& view) {
  const OscScales scales = ScalesOf(rec, view);
  OscPicture p;
  p.width = view.width;
  p.height = view.height;
  p.ops.emplace_back(FillOp{0, 0, view.width, view.height, kBlack});
  Grid(p);
  Captions(p, rec, scales, view);
  Trace(p, rec, scales, view.offset);
  LevelMarker(p, rec, scales);
  TimeMarker(p, scales, view.offset);
  return p;
}

// The MK's own readout of the scrolled time: ten times the sample period a
// sample, as its users read it off the MK. The pointer readout and the saved
// text give the sample period itself.
std::string OffsetText(const OscScales& scales, int offset, char separator) {
  constexpr double kReadoutFactor = 312.5;
  return FormatFixed(offset * kReadoutFactor / scales.base_rate, 1, separator);
}

int SampleAtX(const OscScales& scales, int offset, int x) {
  const int i = RoundHalfEven((x - kTraceLeft) / scales.Sx() + kTriggerSample + offset);
  return i >= 0 && i < static_cast<int>(kSampleCount) ? i : -1;
}

}  // namespace mk::scope
