// SPDX-License-Identifier: GPL-3.0-or-later
// Reads of the MK for the history tests, made up of entries directly.
#pragma once

#include <cstdint>
#include <vector>

#include "history/local_time.h"
#include "history/records.h"

namespace mk::history::test {

inline LocalMinutes At(const char* iso) {
  return *ParseIsoTime(iso);
}

/// A trip at `iso` whose counters all grow with `size`.
inline JournalEntry Trip(const char* iso, std::uint32_t size, int slot = 0) {
  return {EntryKind::Trip, At(iso), 60 * size, 1000 * size, 80 * size, 0, slot};
}

/// A read at `read_iso` with `trips` in slot order and totals `totals`.
inline ReadSnapshot Read(const char* read_iso, std::vector<JournalEntry> trips,
                         std::uint32_t totals = 1000) {
  ReadSnapshot r;
  r.read_time = At(read_iso);
  r.device_version = 3;
  r.prices = {500, 0, 0, 0};  // 50 per litre of petrol
  for (std::size_t i = 0; i < trips.size(); ++i) trips[i].slot = static_cast<int>(i);
  r.trips = std::move(trips);
  r.totals = {totals, totals, totals, 0, {}};
  return r;
}

}  // namespace mk::history::test
