// SPDX-License-Identifier: GPL-3.0-or-later
// The MK's USB serial devices as Windows records them in the registry.
#pragma once

#include <string>
#include <vector>

#include "platform/usb_mk.h"

namespace mk::platform {

/// The "FriendlyName" of every subkey of the MK's USB key under
/// HKEY_LOCAL_MACHINE, in the order the registry lists them, as UTF-8.
/// Subkeys without the value are skipped; no key gives an empty list.
std::vector<std::string> MkFriendlyNames();

}  // namespace mk::platform
