// SPDX-License-Identifier: GPL-3.0-or-later
// How long the history takes with what users will gather: one import of a
// full read (target under 50 ms), and with 20 years of driving (about 100,000
// synthesised trips) the monthly statistics and the whole trip list (targets
// under 200 ms each), on a history file in a temporary folder.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "history/history_store.h"
#include "history/local_time.h"

namespace {

using namespace mk::history;
using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point since) {
  return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

// A read whose 21 trips end at `end`, 21 refuellings and the totals after them.
ReadSnapshot FullRead(LocalMinutes end, std::uint32_t serial) {
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
  r.totals = {serial * 100000, serial * 1000000, serial * 100000, 0,
              std::vector<std::uint8_t>(164)};
  return r;
}

}  // namespace

int main() {
  const auto dir = std::filesystem::temp_directory_path() / "mk-history-bench";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const auto path = dir / "history.sqlite";
  const LocalMinutes start = *ParseIsoTime("2006-01-01T08:00");

  std::vector<double> imports;
  {
    HistoryStore store(path);
    // 4,800 reads of 21 trips each, 100 minutes apart: some 100,000 trips over 20 years.
    const int reads = 4800;
    for (int i = 0; i < reads; ++i) {
      const LocalMinutes end = start + static_cast<LocalMinutes>(i) * 2100 + 2000;
      const auto t0 = Clock::now();
      store.Import(FullRead(end, static_cast<std::uint32_t>(i)), {});
      imports.push_back(Ms(t0));
    }
  }
  std::sort(imports.begin(), imports.end());

  const auto t_open = Clock::now();
  HistoryStore store(path);
  const double open_ms = Ms(t_open);
  const auto t_stats = Clock::now();
  const auto months = store.Stats(Period::Month, {});
  const double stats_ms = Ms(t_stats);
  const auto t_list = Clock::now();
  const auto trips = store.Entries(EntryKind::Trip, {});
  const double list_ms = Ms(t_list);

  std::printf("history: %zu trips, %zu months\n", trips.size(), months.size() - 1);
  std::printf("  import of a full read: median %.2f ms, slowest %.2f ms (target 50 ms)\n",
              imports[imports.size() / 2], imports.back());
  std::printf("  opening the history:   %.1f ms\n", open_ms);
  std::printf("  monthly statistics:    %.1f ms (target 200 ms)\n", stats_ms);
  std::printf("  the whole trip list:   %.1f ms (target 200 ms)\n", list_ms);
  std::filesystem::remove_all(dir);
  return 0;
}
