// Which settings two images show differently: the editor's changed-value
// count and marks, and the check that they match what a file would differ in.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "device/mk.h"
#include "settings/setting.h"

namespace mk::settings {

/// Every setting's value as the editor shows it (or as stored, when outside
/// its rule), by control name, with the image's own variant and protocol.
using SettingTexts = std::map<std::string_view, std::string>;
SettingTexts TextsOf(const device::TMK& mk);

/// The settings whose values differ, in table order.
std::vector<const Setting*> ChangedSettings(const SettingTexts& before, const device::TMK& after);
std::vector<const Setting*> ChangedSettings(const device::TMK& before, const device::TMK& after);

}  // namespace mk::settings
