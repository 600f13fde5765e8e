// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers a change of the protocol (or of anything the ranges depend on)
// leaves outside their new range. The editor lists them in one question and,
// when the user agrees, stores the nearest value each range allows, as an
// ordinary change; otherwise the stored values stay and are shown as stored.
#pragma once

#include <string>
#include <vector>

#include "device/mk.h"
#include "settings/setting.h"

namespace mk::settings {

/// The shown number settings whose stored value lies outside their range.
std::vector<const Setting*> NumbersOutOfRange(const device::TMK& mk);

struct RangeFix {
  const Setting* setting = nullptr;
  double value = 0;           // the nearest value the range allows, as shown
  std::string name;           // as messages name the setting
  std::string stored, fixed;  // both as shown, with the separator asked for
};

/// The settings out of range now that were not in `before`, each with the
/// value that would be stored instead.
std::vector<RangeFix> NewlyOutOfRange(const device::TMK& mk,
                                      const std::vector<const Setting*>& before,
                                      char separator = '.');

/// The question that lists them ("«caption»: stored → fixed", one a line).
std::string RangeFixQuestion(const std::vector<RangeFix>& fixes);

/// Stores every fix; the range errors of CommitNumber pass on.
void ApplyRangeFixes(device::TMK& mk, const std::vector<RangeFix>& fixes);

}  // namespace mk::settings
