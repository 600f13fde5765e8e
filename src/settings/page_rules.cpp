// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/page_rules.h"

namespace mk::settings {

using catalog::Feature;

bool PageShown(Page page, catalog::Features features) {
  switch (page) {
    case Page::Parking:
      return !features.Has(Feature::NoParkSensors);
    case Page::Blocks:
      return features.Has(Feature::HasBlocks);
    case Page::UniMeas:
      return features.Has(Feature::HasUniMeas);
    default:
      return true;
  }
}

bool DisplayPageShown(DisplayPage page, catalog::Features features) {
  switch (page) {
    case DisplayPage::X7:
      return !features.Has(Feature::HasX3Displays) && !features.Has(Feature::NoX7Displays);
    case DisplayPage::X3:
      return features.Has(Feature::HasX3Displays);
    default:
      return true;
  }
}

}  // namespace mk::settings
