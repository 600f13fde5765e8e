// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/device_menu.h"

#include <string>

#include "catalog/device_menu_table.h"

namespace mk::catalog {
namespace {

bool Holds(const MenuRow& row, Features features) {
  return features.HasAll(row.require) && !features.HasAny(row.forbid);
}

std::string RightAligned(int n, std::size_t width) {
  std::string s = std::to_string(n);
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

}  // namespace

void MenuCatalogue::BuildMenuCatalogue(Features features) {
  items_.clear();
  std::uint16_t code = 0;
  bool previous_added = false;
  auto add = [&](std::string ident, std::string caption, std::uint8_t group) {
    items_.push_back({std::move(caption), std::move(ident), code, group});
  };
  for (const MenuRow& row : MenuRows()) {
    const bool holds = Holds(row, features);
    switch (row.kind) {
      case MenuRowKind::kItem:
        ++code;
        previous_added = holds;
        if (holds) add(row.ident, row.caption, row.group);
        break;
      case MenuRowKind::kOrElse:
        if (!previous_added && holds) {
          add(row.ident, row.caption, row.group);
          previous_added = true;
        }
        break;
      case MenuRowKind::kNumbered:
        for (int n = 1; n <= 20; ++n) {
          ++code;
          if (holds) {
            add(row.ident + std::to_string(n) + "Menu", RightAligned(n, 4) + row.caption,
                row.group);
          }
        }
        previous_added = holds;
        break;
      case MenuRowKind::kTariffs:
        for (int t = 0; t < 5; ++t) {
          const std::string i = std::to_string(t);
          const std::string tariff = row.caption + std::to_string(t + 1);
          const struct {
            const char* ident;
            const char* caption;
          } four[] = {{"TaxTimeTarif%Day", ".Д 1мин"},
                      {"TaxPathTarif%Day", " Д 1км"},
                      {"TaxTimeTarif%Night", " Н 1мин"},
                      {"TaxPathTarif%Night", " Н 1км"}};
          for (const auto& f : four) {
            ++code;
            if (!holds) continue;
            std::string ident = f.ident;
            ident.replace(ident.find('%'), 1, i);
            add(ident + "Menu", tariff + f.caption, row.group);
          }
        }
        previous_added = holds;
        break;
    }
  }
}

const TMKMenuItem* MenuCatalogue::FindMenuItemByName(std::string_view name) const {
  for (const auto& item : items_) {
    if (item.Ident == name) return &item;
  }
  return nullptr;
}

const TMKMenuItem* MenuCatalogue::FindMenuItemByCode(std::uint16_t code) const {
  for (const auto& item : items_) {
    if (item.Code == code) return &item;
  }
  return nullptr;
}

}  // namespace mk::catalog
