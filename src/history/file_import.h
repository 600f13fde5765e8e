// SPDX-License-Identifier: GPL-3.0-or-later
// A settings file as a read for the history: its journals, read at the file's
// modification time unless the caller knows better.
#pragma once

#include <filesystem>
#include <optional>

#include "history/records.h"

namespace mk::history {

/// mk::Error when the file cannot be loaded (as every settings file load).
ReadSnapshot SnapshotOfFile(const std::filesystem::path& path, std::optional<LocalMinutes> at);

}  // namespace mk::history
