// SPDX-License-Identifier: GPL-3.0-or-later
// The digit screens: x4, x9, x7, x3 and x6.
#include <algorithm>

#include "preview/screen_painter.h"
#include "preview/screens.h"

namespace mk::preview {

const catalog::TMeasParBase* ScreenInput::Param(int place) const {
  if (place < 0 || static_cast<std::size_t>(place) >= codes.size() ||
      codes[static_cast<std::size_t>(place)] == 0) {
    return nullptr;
  }
  return params.FindByCode(codes[static_cast<std::size_t>(place)]);
}

namespace {

constexpr int kSmallH = 16;  // height of the small font, the caption bands

struct DigitColors {
  Color value, ground, caption, caption_ground, frame;
  explicit DigitColors(const ScreenColors& c)
      : value(c.Digit(DigitPart::Color1)),
        ground(c.Digit(DigitPart::Back1)),
        caption(c.Digit(DigitPart::Color2)),
        caption_ground(c.Digit(DigitPart::Back2)),
        frame(c.Digit(DigitPart::Frame)) {}
};

std::string Caption(const catalog::TMeasParBase& p) {
  return ToScreenText(p.Name2.empty() ? p.Name : p.Name2);
}
std::string Unit(const catalog::TMeasParBase& p) {
  return ToScreenText(p.Unit2);
}

/// The sample value padded to its field width, so values of one screen line up.
std::string Sample(const catalog::TMeasParBase& p) {
  std::string s = p.SampleText;
  if (static_cast<int>(s.size()) < p.Width)
    s.insert(0, static_cast<std::size_t>(p.Width) - s.size(), ' ');
  return s;
}

/// The larger digit font when the value fits `width`, else the smaller.
FontId DigitsFor(const std::string& sample, int width, FontId preferred) {
  if (preferred == FontId::BigDigits &&
      static_cast<int>(sample.size()) * GetFont(FontId::BigDigits).width > width - 4) {
    return FontId::Digits;
  }
  return preferred;
}

/// A place with its name above the value and its unit below.
void StackedPlace(Canvas& canvas, const Rect& r, const catalog::TMeasParBase* p, FontId digits,
                  int layout, const DigitColors& dc) {
  canvas.FillRect(r.x, r.y, r.w, r.h, dc.ground);
  if (p == nullptr) return;
  const Color band = layout == 1 ? dc.ground : dc.caption_ground;
  canvas.FillRect(r.x, r.y, r.w, kSmallH + 4, band);
  canvas.FillRect(r.x, r.y + r.h - kSmallH - 4, r.w, kSmallH + 4, band);
  CentredText(canvas, r, r.y + 2, FontId::Small, Caption(*p), dc.caption, band);
  CentredText(canvas, r, r.y + r.h - kSmallH - 2, FontId::Small, Unit(*p), dc.caption, band);
  const std::string sample = Sample(*p);
  const FontId font = DigitsFor(sample, r.w, digits);
  const int fh = GetFont(font).height;
  CentredText(canvas, r, r.y + (r.h - fh) / 2, font, sample, dc.value, dc.ground);
}

/// A band with the name on the left, the value in the middle and the unit on the right.
void BandPlace(Canvas& canvas, const Rect& r, const catalog::TMeasParBase* p,
               const DigitColors& dc) {
  canvas.FillRect(r.x, r.y, r.w, r.h, dc.ground);
  if (p == nullptr) return;
  constexpr int kNameW = 136, kUnitW = 60;
  const Rect name{r.x, r.y, kNameW, r.h};
  canvas.FillRect(name.x, name.y, name.w, name.h, dc.caption_ground);
  const int text_y = r.y + (r.h - kSmallH) / 2;
  TextAt(canvas, r.x + 4, text_y, FontId::Small, Caption(*p).substr(0, (kNameW - 8) / 8),
         dc.caption, dc.caption_ground);
  const Rect value{r.x + kNameW, r.y, r.w - kNameW - kUnitW, r.h};
  const int fh = GetFont(FontId::Digits).height;
  CentredText(canvas, value, r.y + (r.h - fh) / 2, FontId::Digits, Sample(*p), dc.value, dc.ground);
  TextAt(canvas, r.x + r.w - kUnitW + 2, text_y, FontId::Small, Unit(*p).substr(0, kUnitW / 8),
         dc.caption, dc.ground);
}

/// Column c of three, as the click geometry divides the width.
Rect Cell3(int col, int row) {
  const int w = kScreenWidth / 3, h = kScreenHeight / 3;
  return Rect{col * w, row * h, col == 2 ? kScreenWidth - 2 * w : w, h};
}

constexpr int kBandH = kScreenHeight / 7;  // 34: the click geometry's band height

Rect Band(int first, int count) {
  const int bottom = first + count == 7 ? kScreenHeight : (first + count) * kBandH;
  return Rect{0, first * kBandH, kScreenWidth, bottom - first * kBandH};
}

void Outline(Canvas& canvas, const DigitColors& dc) {
  Frame(canvas, Rect{0, 0, kScreenWidth, kScreenHeight}, 1, dc.frame);
}

}  // namespace

void DrawX4(Canvas& canvas, const ScreenInput& in) {
  const DigitColors dc(in.colors);
  canvas.Fill(dc.ground);
  const int w = kScreenWidth / 2, h = kScreenHeight / 2;
  for (int place = 0; place < 4; ++place) {
    const Rect r{(place % 2) * w, (place / 2) * h, w, h};
    StackedPlace(canvas, r, in.Param(place), FontId::BigDigits, in.layout, dc);
  }
  canvas.VLine(w, 0, kScreenHeight, 2, dc.frame);
  canvas.HLine(0, h, kScreenWidth, 2, dc.frame);
  Outline(canvas, dc);
}

void DrawX9(Canvas& canvas, const ScreenInput& in) {
  const DigitColors dc(in.colors);
  canvas.Fill(dc.ground);
  for (int place = 0; place < 9; ++place) {
    StackedPlace(canvas, Cell3(place % 3, place / 3), in.Param(place), FontId::Digits, in.layout,
                 dc);
  }
  for (int i = 1; i < 3; ++i) {
    canvas.VLine(i * (kScreenWidth / 3), 0, kScreenHeight, 2, dc.frame);
    canvas.HLine(0, i * (kScreenHeight / 3), kScreenWidth, 2, dc.frame);
  }
  Outline(canvas, dc);
}

void DrawX7(Canvas& canvas, const ScreenInput& in) {
  const DigitColors dc(in.colors);
  canvas.Fill(dc.ground);
  for (int place = 0; place < 7; ++place) BandPlace(canvas, Band(place, 1), in.Param(place), dc);
  for (int i = 1; i < 7; ++i) canvas.HLine(0, i * kBandH, kScreenWidth, 2, dc.frame);
  Outline(canvas, dc);
}

void DrawX3(Canvas& canvas, const ScreenInput& in) {
  // Place 0 takes the five top bands, places 1 and 2 one band each.
  const DigitColors dc(in.colors);
  canvas.Fill(dc.ground);
  StackedPlace(canvas, Band(0, 5), in.Param(0), FontId::BigDigits, 0, dc);
  BandPlace(canvas, Band(5, 1), in.Param(1), dc);
  BandPlace(canvas, Band(6, 1), in.Param(2), dc);
  canvas.HLine(0, 5 * kBandH, kScreenWidth, 2, dc.frame);
  canvas.HLine(0, 6 * kBandH, kScreenWidth, 2, dc.frame);
  Outline(canvas, dc);
}

void DrawX6(Canvas& canvas, const ScreenInput& in) {
  // Place 0 takes the four top-left cells of the 3 x 3 grid; places 1..5 the
  // cells 2, 5, 6, 7 and 8.
  const DigitColors dc(in.colors);
  canvas.Fill(dc.ground);
  const int cw = kScreenWidth / 3, ch = kScreenHeight / 3;
  StackedPlace(canvas, Rect{0, 0, 2 * cw, 2 * ch}, in.Param(0), FontId::BigDigits, 0, dc);
  constexpr int kCells[5][2] = {{2, 0}, {2, 1}, {0, 2}, {1, 2}, {2, 2}};
  for (int place = 1; place < 6; ++place) {
    const auto& cell = kCells[place - 1];
    StackedPlace(canvas, Cell3(cell[0], cell[1]), in.Param(place), FontId::Digits, 0, dc);
  }
  canvas.VLine(2 * cw, 0, kScreenHeight, 2, dc.frame);
  canvas.HLine(0, 2 * ch, kScreenWidth, 2, dc.frame);
  canvas.VLine(cw, 2 * ch, ch + 1, 2, dc.frame);
  canvas.HLine(2 * cw, ch, kScreenWidth - 2 * cw, 2, dc.frame);
  Outline(canvas, dc);
}

void DrawX1(Canvas& canvas, const ScreenInput& in) {
  const DigitColors dc(in.colors);
  canvas.Fill(dc.ground);
  const Rect all{0, 0, kScreenWidth, kScreenHeight};
  const catalog::TMeasParBase* p = in.Param(0);
  if (p != nullptr) {
    CentredText(canvas, all, 24, FontId::Large, ToScreenText(p->ShortName), dc.caption, dc.ground);
    const std::string sample = Sample(*p);
    CentredText(canvas, all, 96, DigitsFor(sample, all.w, FontId::BigDigits), sample, dc.value,
                dc.ground);
    CentredText(canvas, all, 176, FontId::Large, ToScreenText(p->Unit), dc.caption, dc.ground);
  }
  Outline(canvas, dc);
}

void DrawMenu(Canvas& canvas, const ScreenColors& colors, std::span<const std::string> items,
              int active) {
  const Color text = colors.Digit(DigitPart::Color2), ground = colors.Digit(DigitPart::Back1);
  const Color hot = colors.Menu(MenuPart::HotNumber);
  canvas.Fill(ground);
  constexpr int kRowH = 22;
  for (std::size_t i = 0; i < items.size() && static_cast<int>(i) * kRowH + 4 < kScreenHeight;
       ++i) {
    const bool on = static_cast<int>(i) == active;
    const Color fg = on ? colors.Menu(MenuPart::ActiveColor) : text;
    const Color bg = on ? colors.Menu(MenuPart::ActiveBack) : ground;
    const int y = 4 + static_cast<int>(i) * kRowH;
    canvas.FillRect(2, y, kScreenWidth - 4, kRowH - 2, bg);
    TextAt(canvas, 6, y + 2, FontId::Small, std::to_string(i), hot, bg);
    TextAt(canvas, 26, y + 2, FontId::Small, items[i].substr(0, 36), fg, bg);
  }
  Outline(canvas, DigitColors(colors));
}

void DrawScreen(Canvas& canvas, ScreenKind kind, const ScreenInput& in) {
  canvas.SetOrigin(0, 0);
  switch (kind) {
    case ScreenKind::X4:
      return DrawX4(canvas, in);
    case ScreenKind::X9:
      return DrawX9(canvas, in);
    case ScreenKind::X7:
      return DrawX7(canvas, in);
    case ScreenKind::X3:
      return DrawX3(canvas, in);
    case ScreenKind::X6:
      return DrawX6(canvas, in);
    case ScreenKind::Graph:
      return DrawGraph(canvas, in);
    case ScreenKind::Arrow:
      return DrawArrow(canvas, in);
  }
}

}  // namespace mk::preview
