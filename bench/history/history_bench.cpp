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
#include "synthetic_history.h"

using namespace mk::history;
using mk::history::bench::Ms;
using Clock = std::chrono::steady_clock;

int main() {
  const auto dir = std::filesystem::temp_directory_path() / "mk-history-bench";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const auto path = dir / "history.sqlite";
  std::vector<double> imports = mk::history::bench::FillTwentyYears(path);
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
