// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of one grid of the journals window, row by row, and the journal
// export built from them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace mk::journal {

/// Rows of cells, UTF-8; every row has the same number of cells.
using TextGrid = std::vector<std::vector<std::string>>;

/// A caption and its value: a line of a totals grid or of the freeze frame.
using CaptionedValue = std::pair<std::string, std::string>;

/// The export of a grid: every cell followed by a tab, every row ended by
/// CR LF, header row and label column included, in Windows-1251.
std::vector<std::uint8_t> ExportBytes(const TextGrid& grid);

/// Writes ExportBytes(grid) to `path` through the project's atomic save, so a
/// failed save never leaves a half-written export nor harms an older file.
/// Throws mk::Error with the system's text for the failure.
void SaveExport(const std::filesystem::path& path, const TextGrid& grid);

}  // namespace mk::journal
