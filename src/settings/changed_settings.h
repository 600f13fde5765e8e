// SPDX-License-Identifier: GPL-3.0-or-later
// Which settings two images show differently: the editor's changed-value
// count and marks, and the check that they match what a file would differ in.
#pragma once

#include <cstdint>
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

/// The same against one opening image, kept up to date edit by edit: only
/// the settings of records whose bytes changed since the last look are shown
/// again, all of them once the variant or the selected protocol changed.
class ChangeTracker {
 public:
  /// The image as it is now is the baseline.
  explicit ChangeTracker(const device::TMK& mk);
  /// The settings whose values now differ from the baseline, in table order.
  std::vector<const Setting*> Changed(const device::TMK& mk);

 private:
  void Look(const device::TMK& mk, bool all);

  SettingTexts baseline_, current_;
  std::map<device::BlockId, std::vector<std::uint8_t>> seen_;
  const void* protocol_ = nullptr;
  std::uint64_t features_ = 0;
};

}  // namespace mk::settings
