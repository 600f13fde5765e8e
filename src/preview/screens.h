// SPDX-License-Identifier: GPL-3.0-or-later
// One drawing function per kind of MK screen: a screen's parameter codes, the
// working colour set and the parameter descriptors in, the screen as the MK
// would show it on the canvas out. Each agrees with PlaceAt: a right click on
// a preview lands on the place drawn there.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "catalog/meas_param.h"
#include "preview/canvas.h"
#include "preview/screen_colors.h"
#include "preview/screen_kind.h"

namespace mk::preview {

/// What every screen function needs. A code the catalogue does not know, and
/// code 0, draw an empty place; missing codes count as 0.
struct ScreenInput {
  std::span<const std::uint8_t> codes;
  const catalog::MeasParamCatalogue& params;
  const ScreenColors& colors;
  /// "Тип х4" / "Тип х9" (DispVar4, DispVar9): 0 captions on bands of their
  /// own, 1 captions on the value's ground. Other kinds ignore it.
  int layout = 0;

  const catalog::TMeasParBase* Param(int place) const;
};

void DrawX4(Canvas& canvas, const ScreenInput& in);
void DrawX9(Canvas& canvas, const ScreenInput& in);
void DrawX7(Canvas& canvas, const ScreenInput& in);
void DrawX3(Canvas& canvas, const ScreenInput& in);
void DrawX6(Canvas& canvas, const ScreenInput& in);
void DrawGraph(Canvas& canvas, const ScreenInput& in);
void DrawArrow(Canvas& canvas, const ScreenInput& in);

/// A single-parameter screen (x1) of the parameter in place 0: its short
/// name, its value in the large digits, its unit.
void DrawX1(Canvas& canvas, const ScreenInput& in);
/// The MK's menu: `items` (Windows-1251) numbered from 0, item `active`
/// highlighted, the numbers in the hot-item colour.
void DrawMenu(Canvas& canvas, const ScreenColors& colors, std::span<const std::string> items,
              int active);

/// The function for `kind`.
void DrawScreen(Canvas& canvas, ScreenKind kind, const ScreenInput& in);

}  // namespace mk::preview
