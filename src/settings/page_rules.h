// SPDX-License-Identifier: GPL-3.0-or-later
// Which pages an MK variant gets.
#pragma once

#include "catalog/variant.h"
#include "settings/pages.h"

namespace mk::settings {

/// "Парковка" goes with NoParkSensors, "Допсистемы" needs HasBlocks,
/// "Унив.вход" HasUniMeas; the others are always there.
bool PageShown(Page page, catalog::Features features);

/// "Дисплеи х7" needs neither HasX3Displays nor NoX7Displays, "Дисплеи х3"
/// needs HasX3Displays; the others are always there.
bool DisplayPageShown(DisplayPage page, catalog::Features features);

}  // namespace mk::settings
