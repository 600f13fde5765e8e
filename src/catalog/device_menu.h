// SPDX-License-Identifier: GPL-3.0-or-later
// The items of the MK's own menu, by code, identifier and caption. The codes
// are what the hot-menu lists of the settings image store.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/variant.h"

namespace mk::catalog {

struct TMKMenuItem {
  std::string Caption;
  std::string Ident;
  std::uint16_t Code = 0;  // 1..171
  std::uint8_t Group = 0;  // 0 general, 1 trips and journals, 2 taximeter, 3 parking radar
};

class MenuCatalogue {
 public:
  static constexpr std::uint16_t kLastCode = 171;

  /// Rebuilds the items the variant has. Codes never shift: an absent item
  /// leaves a gap.
  void BuildMenuCatalogue(Features features);

  const std::vector<TMKMenuItem>& Items() const { return items_; }
  /// The first item with this identifier (exact, case-sensitive), or nullptr.
  const TMKMenuItem* FindMenuItemByName(std::string_view name) const;
  /// The first item with this code, or nullptr.
  const TMKMenuItem* FindMenuItemByCode(std::uint16_t code) const;

 private:
  std::vector<TMKMenuItem> items_;
};

/// The four hot menus (parameters, journals, taximeter, parking radar) of a
/// new settings image; an item the variant lacks is 0.
using HotMenus = std::array<std::array<std::uint16_t, 10>, 4>;
HotMenus DefaultHotMenus(const MenuCatalogue& menu, Features features);

}  // namespace mk::catalog
