// SPDX-License-Identifier: GPL-3.0-or-later
// The arrow screen: a small dial on the left, a large one in the right 200
// pixels, each with its name, value and unit under it.
#include <cmath>
#include <numbers>

#include "preview/screen_painter.h"
#include "preview/screens.h"

namespace mk::preview {
namespace {

struct DialColors {
  Color face, scale, needle;
};

struct DialPlace {
  Rect area;  // the part of the screen the click geometry gives the dial
  int cx, cy, radius;
};

constexpr int kTicks = 10;  // intervals over the 270 degrees of the scale

double AngleAt(double fraction) {
  return (225.0 - 270.0 * fraction) * std::numbers::pi / 180.0;
}

int PointX(const DialPlace& d, double angle, int r) {
  return d.cx + static_cast<int>(std::lround(r * std::cos(angle)));
}
int PointY(const DialPlace& d, double angle, int r) {
  return d.cy - static_cast<int>(std::lround(r * std::sin(angle)));
}

void Dial(Canvas& canvas, const DialPlace& d, const catalog::TMeasParBase* p, const DialColors& dc,
          const ScreenColors& c) {
  const Color label = c.Arrow(ArrowPart::LabelColor), label_ground = c.Arrow(ArrowPart::LabelBack);
  Disc(canvas, d.cx, d.cy, d.radius, dc.scale);
  Disc(canvas, d.cx, d.cy, d.radius - 3, dc.face);
  // Ticks; the last quarter of the scale in the colour of high consumption.
  for (int i = 0; i <= kTicks; ++i) {
    const double a = AngleAt(static_cast<double>(i) / kTicks);
    const Color tick = i * 4 > kTicks * 3 ? c.Arrow(ArrowPart::HighScale) : dc.scale;
    const int inner = d.radius - (i % 5 == 0 ? 16 : 10);
    ThickLine(canvas, PointX(d, a, inner), PointY(d, a, inner), PointX(d, a, d.radius - 4),
              PointY(d, a, d.radius - 4), 2, tick);
  }
  const int text_top = d.cy + d.radius + 6;
  canvas.FillRect(d.area.x + 2, text_top - 2, d.area.w - 4, kScreenHeight - text_top, label_ground);
  if (p == nullptr) return;
  const int fraction = catalog::BarLength(*p, 1000, p->SampleValue);
  const double a = AngleAt(fraction / 1000.0);
  ThickLine(canvas, d.cx, d.cy, PointX(d, a, d.radius - 14), PointY(d, a, d.radius - 14), 3,
            dc.needle);
  Disc(canvas, d.cx, d.cy, 5, dc.needle);
  // The ends of the scale.
  const std::string low = std::to_string(p->ScaleMin), high = std::to_string(p->ScaleMax);
  TextAt(canvas, PointX(d, AngleAt(0), d.radius - 20) - 4, PointY(d, AngleAt(0), d.radius - 20) - 8,
         FontId::Small, low, label, dc.face);
  TextAt(canvas, PointX(d, AngleAt(1), d.radius - 20) - 8 * static_cast<int>(high.size()) + 4,
         PointY(d, AngleAt(1), d.radius - 20) - 8, FontId::Small, high, label, dc.face);
  const Rect text{d.area.x, text_top, d.area.w, 16};
  CentredText(canvas, text, text_top, FontId::Small, ToScreenText(p->ShortName), label,
              label_ground);
  std::string value = p->SampleText;
  while (!value.empty() && value.front() == ' ') value.erase(0, 1);
  value += " " + ToScreenText(p->Unit);
  CentredText(canvas, text, text_top + 18, FontId::Small, value, label, label_ground);
}

}  // namespace

void DrawArrow(Canvas& canvas, const ScreenInput& in) {
  const ScreenColors& c = in.colors;
  canvas.Fill(c.Arrow(ArrowPart::Back));
  constexpr int kLeftW = kScreenWidth - 200;
  const DialPlace left{{0, 0, kLeftW, kScreenHeight}, kLeftW / 2, 96, 56};
  const DialPlace right{{kLeftW, 0, 200, kScreenHeight}, kLeftW + 100, 96, 92};
  Dial(
      canvas, left, in.Param(0),
      {c.Arrow(ArrowPart::LeftDial), c.Arrow(ArrowPart::LeftScale), c.Arrow(ArrowPart::LeftNeedle)},
      c);
  Dial(canvas, right, in.Param(1),
       {c.Arrow(ArrowPart::RightDial), c.Arrow(ArrowPart::RightScale),
        c.Arrow(ArrowPart::RightNeedle)},
       c);
}

}  // namespace mk::preview
