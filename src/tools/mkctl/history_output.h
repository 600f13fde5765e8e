// SPDX-License-Identifier: GPL-3.0-or-later
// What mkctl shares of the history: opening it and taking a read into it.
#pragma once

#include <string>

#include "history/local_time.h"

#include "device/mk.h"
#include "tools/mkctl/commands.h"

namespace mk::tools {

/// Merges the journals of a read into the history (the vehicle of
/// `--vehicle`, else the last one). Never throws: a history that cannot be
/// written leaves the read as it is and says why on standard error.
void ImportReadIntoHistory(const device::TMK& mk, const Args& args,
                           history::LocalMinutes read_time);

/// The time of a read for the history: `--at ДАТА`, else now. UsageError for
/// a text that is no date.
history::LocalMinutes ReadTimeOption(const Args& args);

}  // namespace mk::tools
