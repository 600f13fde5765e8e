// SPDX-License-Identifier: GPL-3.0-or-later
// The history's tables as texts, as the window shows them and both exports
// write them: the journals' tab-separated Windows-1251 text and CSV for
// spreadsheets.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "history/history_store.h"
#include "journal/text_grid.h"

namespace mk::history {

/// The header row, then one row an entry: vehicle, date and time with the
/// year, and the journal's columns (time on the road ... cost).
journal::TextGrid EntryTable(const std::vector<StoredEntry>& entries, std::string_view separator);
/// EntryTable's header and one of its rows, for a view that writes only the
/// rows it shows of years of trips.
std::vector<std::string> EntryHeader();
std::vector<std::string> EntryRow(const StoredEntry& entry, std::string_view separator);
/// Vehicle, date and time, error code and what it means (an OBD-II code its
/// description from the catalogue of trouble codes; a code in a protocol's own
/// format says it has none).
journal::TextGrid ErrorTable(const std::vector<StoredError>& errors);
/// Period, trips, time, distance, fuel, average speed, l/100 km, l/h, cost.
journal::TextGrid StatsTable(const std::vector<StatsRow>& rows, std::string_view separator);

/// The freeze frame of a kept error, as the journals window shows it.
std::vector<journal::CaptionedValue> ErrorFrameLines(const ErrorEntry& error,
                                                     std::string_view separator);

/// CSV for spreadsheets: UTF-8 with a byte-order mark, ";" between fields,
/// CR LF after each row; a field with ";", a quote or a line break is quoted.
std::string CsvText(const journal::TextGrid& grid);

/// "1:05" for 3900 seconds: hours and two-digit minutes.
std::string RoadTime(std::int64_t seconds);

}  // namespace mk::history
