// SPDX-License-Identifier: GPL-3.0-or-later
// The periods the history window offers: everything, the last twelve months,
// and each year that has trips.
#pragma once

#include <string>
#include <vector>

#include "history/history_store.h"

namespace mk::history {

struct PeriodChoice {
  std::string text;  // as the chooser shows it
  std::optional<LocalMinutes> from;
  std::optional<LocalMinutes> to;
};

/// "Всё время", "Последние 12 месяцев" (up to `now`), then each of the
/// `years` that have trips (oldest first, as HistoryStore::TripYears gives
/// them), the latest first.
std::vector<PeriodChoice> PeriodChoices(const std::vector<int>& years, LocalMinutes now);

/// The query of `vehicle` (empty: every vehicle) over `period`.
Query PeriodQuery(const std::string& vehicle, const PeriodChoice& period);

}  // namespace mk::history
