// SPDX-License-Identifier: GPL-3.0-or-later
// The hot menus a new settings image starts with.
#include <string_view>

#include "catalog/device_menu.h"

namespace mk::catalog {
namespace {

// Identifiers of the default items; an empty one leaves its place 0.
constexpr std::string_view kDefaults[4][10] = {
    {"FullTankMenu", "ToTankMenu", "FlagSoundMenu", "VelocityLimitMenu", "PrognozMenu",
     "ExpenseHHMenu", "", "MeasParamsHistoryFlagMenu", "", ""},
    {"TripJournMenu", "InitReset0ParamsMenu", "InitReset1ParamsMenu", "ContinueTripMenu",
     "TankJournMenu"},
    {"TaxStartFinishMenu", "TaxTarifDNMenu", "TaxTarifNumMenu", "TaxClearAllSumMenu"},
    {"ParkOffMenu", "ParkSenseMenu_0", "ParkSpeedMenu_0", "ParkBeepTypeMenu", "ParkAlwaysOnMenu"},
};

}  // namespace

HotMenus DefaultHotMenus(const MenuCatalogue& menu, Features features) {
  HotMenus hot{};
  for (std::size_t list = 0; list < hot.size(); ++list) {
    // The taximeter and parking lists stay empty without their device, even if
    // the menu catalogue was built for another variant.
    if (list == 2 && !features.Has(Feature::HasTaxi)) continue;
    if (list == 3 && features.Has(Feature::NoParkSensors)) continue;
    for (std::size_t slot = 0; slot < hot[list].size(); ++slot) {
      const std::string_view ident = kDefaults[list][slot];
      if (ident.empty()) continue;
      if (const TMKMenuItem* item = menu.FindMenuItemByName(ident)) hot[list][slot] = item->Code;
    }
  }
  return hot;
}

}  // namespace mk::catalog
