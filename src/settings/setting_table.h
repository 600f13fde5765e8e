// SPDX-License-Identifier: GPL-3.0-or-later
// Every setting of the value pages and of the frame, in page order.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "settings/setting.h"

namespace mk::settings {

/// All settings, page by page in the dialog's order, each page's in its own order.
std::span<const Setting> AllSettings();

/// The setting whose control is called `name`, or nullptr.
const Setting* FindSetting(std::string_view name);

/// The settings of one page, in order.
std::vector<const Setting*> SettingsOf(Page page);

}  // namespace mk::settings
