// SPDX-License-Identifier: GPL-3.0-or-later
// The graph screen: the main parameter's history above y 90, the second's
// between 90 and 180, their names and values in the caption strip below.
#include <cmath>
#include <numbers>

#include "preview/screen_painter.h"
#include "preview/screens.h"

namespace mk::preview {
namespace {

constexpr int kGraphH = 90;
constexpr int kCaptionTop = 2 * kGraphH;

/// A plausible history around the sample value: a slow wave of an eighth of
/// the range, the same for every drawing.
void Curve(Canvas& canvas, const Rect& area, const catalog::TMeasParBase& p, double phase,
           Color c) {
  const int span = p.MaxValue - p.MinValue;
  const int inner = area.h - 8;
  int last = -1;
  for (int x = 2; x < area.w - 2; ++x) {
    const double wave = std::sin(phase + 2 * std::numbers::pi * x / 160.0) +
                        0.3 * std::sin(phase * 3 + 2 * std::numbers::pi * x / 37.0);
    const auto value = static_cast<std::int32_t>(p.SampleValue + wave * span / 8.0);
    const int y = area.y + area.h - 4 - catalog::BarLength(p, inner, value);
    if (last < 0) last = y;
    const int top = std::min(last, y), bottom = std::max(last, y);
    canvas.VLine(area.x + x, top - 1, bottom - top + 2, 2, c);
    last = y;
  }
}

void GraphArea(Canvas& canvas, const Rect& area, const catalog::TMeasParBase* p, double phase,
               Color line, const ScreenColors& colors) {
  const Color axes = colors.Graph(GraphPart::Axes);
  canvas.FillRect(area.x, area.y, area.w, area.h, colors.Graph(GraphPart::Back));
  // Time marks every 40 pixels, the axes along the left and the bottom.
  for (int x = 40; x < area.w; x += 40) {
    for (int y = area.y + 4; y < area.y + area.h - 2; y += 6) canvas.VLine(x, y, 2, 1, axes);
  }
  canvas.VLine(area.x + 1, area.y, area.h, 2, axes);
  canvas.HLine(area.x, area.y + area.h - 2, area.w, 2, axes);
  if (p != nullptr) Curve(canvas, area, *p, phase, line);
}

void CaptionLine(Canvas& canvas, int y, const catalog::TMeasParBase* p, Color fg, Color bg) {
  if (p == nullptr) return;
  TextAt(canvas, 4, y, FontId::Small, ToScreenText(p->Name3).substr(0, 22), fg, bg);
  std::string value = p->SampleText + " " + ToScreenText(p->Unit2);
  if (value.size() > 16) value.resize(16);
  TextAt(canvas, kScreenWidth - 4 - 8 * static_cast<int>(value.size()), y, FontId::Small, value, fg,
         bg);
}

}  // namespace

void DrawGraph(Canvas& canvas, const ScreenInput& in) {
  const ScreenColors& c = in.colors;
  const Color caption_ground = c.Graph(GraphPart::LabelBack);
  canvas.Fill(caption_ground);
  const catalog::TMeasParBase* upper = in.Param(0);
  const catalog::TMeasParBase* lower = in.Param(1);
  GraphArea(canvas, Rect{0, 0, kScreenWidth, kGraphH}, upper, 0.0, c.Graph(GraphPart::Line1), c);
  GraphArea(canvas, Rect{0, kGraphH, kScreenWidth, kGraphH}, lower, 1.3, c.Graph(GraphPart::Line2),
            c);
  CaptionLine(canvas, kCaptionTop + 6, upper, c.Graph(GraphPart::Line1), caption_ground);
  CaptionLine(canvas, kCaptionTop + 6 + 18, lower, c.Graph(GraphPart::Line2), caption_ground);
  const Color axes = c.Graph(GraphPart::Axes);
  TextAt(canvas, 4, kScreenHeight - 16, FontId::Small, "-8\xEC", axes, caption_ground);
  TextAt(canvas, kScreenWidth - 12, kScreenHeight - 16, FontId::Small, "0", axes, caption_ground);
}

}  // namespace mk::preview
