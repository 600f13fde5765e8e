// SPDX-License-Identifier: GPL-3.0-or-later
// 20 years of driving for the history's benchmarks: 4,800 full reads of 21
// trips each, 100 minutes apart, some 100,000 trips in all.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "history/history_store.h"
#include "history/local_time.h"

namespace mk::history::bench {

inline double Ms(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since)
      .count();
}

// A read whose 21 trips end at `end`, 21 refuellings and the totals after them.
inline ReadSnapshot FullRead(LocalMinutes end, std::uint32_t serial) {
  ReadSnapshot r;
  r.read_time = end + 60;
  r.device_version = 3;
  r.prices = {550, 0, 0, 0};
  for (int slot = 0; slot < 21; ++slot) {
    const std::uint32_t k = serial * 21 + static_cast<std::uint32_t>(slot);
    r.trips.push_back({EntryKind::Trip, end - slot * 100, 1200 + k % 900, 15000 + k % 9000,
                       1300 + k % 700, 0, slot});
    r.refuels.push_back({EntryKind::Refuel, end - slot * 2000, 40000, 500000, 38000, 0, slot});
  }
  // About what the 21 trips add (410 km a read), so that 4,800 reads stay
  // within the MK's 32-bit counters, as its totals of 20 years do.
  r.totals = {serial * 100000, serial * 420000, serial * 30000, 0, std::vector<std::uint8_t>(164)};
  return r;
}

/// Fills a new history at `path` and returns each import's milliseconds.
inline std::vector<double> FillTwentyYears(const std::filesystem::path& path) {
  const LocalMinutes start = *ParseIsoTime("2006-01-01T08:00");
  std::vector<double> imports;
  HistoryStore store(path);
  for (int i = 0; i < 4800; ++i) {
    const LocalMinutes end = start + static_cast<LocalMinutes>(i) * 2100 + 2000;
    const auto t0 = std::chrono::steady_clock::now();
    store.Import(FullRead(end, static_cast<std::uint32_t>(i)), {});
    imports.push_back(Ms(t0));
  }
  return imports;
}

}  // namespace mk::history::bench
