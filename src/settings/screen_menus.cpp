// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/screen_menus.h"

#include "device/mk.h"
#include "settings/setting_table.h"

namespace mk::settings {

catalog::ChoiceKind PlaceChoiceKind(preview::ScreenKind kind, int place) {
  switch (kind) {
    case preview::ScreenKind::Graph:
      return catalog::ChoiceKind::Graph;
    case preview::ScreenKind::Arrow:
      return place == 0 ? catalog::ChoiceKind::Gauge1 : catalog::ChoiceKind::Gauge2;
    default:
      return catalog::ChoiceKind::All;
  }
}

std::vector<catalog::ChoiceItem> PlaceMenu(const catalog::Catalogues& catalogues,
                                           preview::ScreenKind kind, int place,
                                           std::uint8_t current) {
  std::vector<catalog::ChoiceItem> menu;
  const catalog::TProtBase* protocol = catalogues.CurrentProtocol();
  if (protocol == nullptr) return menu;
  if (kind == preview::ScreenKind::Graph && place == 1) {
    menu.push_back({0, kNoGraphCaption, current == 0});
  }
  const auto items =
      catalogues.Params().ChoiceMenu(*protocol, PlaceChoiceKind(kind, place), current);
  menu.insert(menu.end(), items.begin(), items.end());
  return menu;
}

std::optional<PlaceHit> HitPlace(preview::ScreenKind kind, int screen, int x, int y, int w, int h) {
  const std::optional<int> place = preview::PlaceAt(kind, x, y, w, h);
  if (!place || screen < 0 || screen >= preview::ScreenCount(kind)) return std::nullopt;
  return PlaceHit{kind, screen, *place};
}

void ChoosePlaceCode(device::TMK& mk, const PlaceHit& hit, std::uint8_t code) {
  preview::SetPlaceCode(mk.Rec(device::BlockId::Display), hit.kind, hit.screen, hit.place, code);
}

std::vector<const Setting*> ScreenSettings(preview::ScreenKind kind, int screen) {
  using preview::ScreenKind;
  // The field's rows are screens of the kind that owns it: x3 places are x7 ones.
  const ScreenKind owner = kind == ScreenKind::X3 ? ScreenKind::X7 : kind;
  const auto first = static_cast<std::size_t>(screen * preview::PlaceCount(owner));
  std::vector<const Setting*> places(static_cast<std::size_t>(preview::PlaceCount(kind)));
  for (const Setting& s : AllSettings()) {
    if (s.kind != Kind::Param || s.field != preview::PlacesField(kind) || s.index < first) continue;
    if (s.index - first < places.size()) places[s.index - first] = &s;
  }
  return places;
}

}  // namespace mk::settings
