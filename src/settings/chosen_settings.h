// SPDX-License-Identifier: GPL-3.0-or-later
// Some of the differences between two images, chosen setting by setting: a
// write of only the ticked changes, a comparison that takes only some.
#pragma once

#include <string>
#include <vector>

#include "device/mk.h"
#include "settings/setting.h"
#include "settings/shown_diff.h"

namespace mk::settings {

/// Copies the stored value of `s` from `from` into `to`'s records, bit for
/// bit (a flag bit alone, not its word). The caller stores the records.
void CopyStored(const Setting& s, const device::TMK& from, device::TMK& to);

/// `base` with the stored values of `chosen` taken from `from` and the
/// settings blocks stored: the MK as read with only the ticked changes laid
/// over it. Whatever else `from` holds differently stays `base`'s.
device::TMK LayChosen(const device::TMK& base, const device::TMK& from,
                      const std::vector<const Setting*>& chosen);

/// The settings named as `mkctl settings` prints them (object names);
/// mk::Error "Нет настройки «X»." for an unknown one.
std::vector<const Setting*> SettingsNamed(const std::vector<std::string>& names);

/// The settings a difference lists: shown changes, then hidden ones.
std::vector<const Setting*> ListedSettings(const ShownDiff& diff);

/// `all` without the settings in `out`, order kept.
std::vector<const Setting*> Without(const std::vector<const Setting*>& all,
                                    const std::vector<const Setting*>& out);

}  // namespace mk::settings
