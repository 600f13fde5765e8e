// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter menus of the screen previews: which parameters a place of a
// screen may show, and storing the one the user picks.
#pragma once

#include <cstdint>
#include <vector>

#include "catalog/catalogues.h"
#include "catalog/meas_param.h"
#include "preview/screen_kind.h"
#include "settings/setting.h"

namespace mk::device {
class TMK;
}

namespace mk::settings {

inline constexpr const char* kNoGraphCaption = "Отсутствует";

/// Which parameters a place offers: every one on the digit screens, the graph
/// ones on a graph (the lower graph with "Отсутствует" first), those of the
/// dial's gauge kind on an arrow screen.
catalog::ChoiceKind PlaceChoiceKind(preview::ScreenKind kind, int place);

/// The menu for a place whose current code is `current`, in the order of the
/// selected protocol's parameter list; empty when there is no selected protocol
/// or it delivers no parameters.
std::vector<catalog::ChoiceItem> PlaceMenu(const catalog::Catalogues& catalogues,
                                           preview::ScreenKind kind, int place,
                                           std::uint8_t current);

/// Where a right click at (x, y) on a preview box of w x h lands, with the
/// screen it shows. None when the point hits no place.
struct PlaceHit {
  preview::ScreenKind kind = preview::ScreenKind::X4;
  int screen = 0;
  int place = 0;
};
std::optional<PlaceHit> HitPlace(preview::ScreenKind kind, int screen, int x, int y, int w, int h);

/// The settings that hold the places of one screen, in place order. An x3
/// screen shows the first three places of the x7 screen of its number.
std::vector<const Setting*> ScreenSettings(preview::ScreenKind kind, int screen);

/// Stores the picked code in the place of the Display record.
void ChoosePlaceCode(device::TMK& mk, const PlaceHit& hit, std::uint8_t code);

}  // namespace mk::settings
