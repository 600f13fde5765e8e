// SPDX-License-Identifier: GPL-3.0-or-later
// A look at the settings that changes nothing, as `mkctl settings` prints them.
#pragma once

#include <functional>

#include "device/mk.h"

namespace mk::device {

/// Runs `show` over blocks 1-11 with the catalogues the editor would get,
/// except that a Protocol of 256 or more, which the edit transaction refuses,
/// selects no protocol entry: its value is then shown as stored, out of range.
/// A FirmwareVersion of 256 or more is still refused (the variant is unknown).
/// Every record of the edit is put back afterwards; nothing is stored.
void ShowSettings(TMK& mk, const std::function<void()>& show);

}  // namespace mk::device
