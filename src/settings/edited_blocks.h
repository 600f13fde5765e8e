// SPDX-License-Identifier: GPL-3.0-or-later
// Which blocks the settings editor changes, and which of them closing it with
// OK stores into the image. The tare weight and cargo density (Cargo) are
// edited, undone and put back on cancel like the rest, but the MK keeps them
// elsewhere: they never reach the image or a settings file.
#pragma once

#include <algorithm>

#include "device/block_tables.h"

namespace mk::settings {

using device::kEditedBlocks;
using device::NotStoredMessage;

/// Whether the edit transaction stores the block when the editor closes with OK.
constexpr bool StoredByEdit(device::BlockId block) {
  return std::ranges::find(device::kSettingsBlocks, block) != device::kSettingsBlocks.end();
}

}  // namespace mk::settings
