// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/period_choices.h"

#include <charconv>

namespace mk::history {

std::vector<PeriodChoice> PeriodChoices(const std::vector<StatsRow>& years, LocalMinutes now) {
  CivilTime year_ago = FromMinutes(now);
  year_ago.year -= 1;
  // 29 February of a leap year is followed by the 1 March a year back.
  if (!ValidDate(year_ago.year, year_ago.month, year_ago.day)) {
    year_ago.month = 3;
    year_ago.day = 1;
  }
  std::vector<PeriodChoice> out{{"Всё время", {}, {}},
                                {"Последние 12 месяцев", ToMinutes(year_ago), now}};
  for (std::size_t i = years.size(); i-- > 0;) {
    const std::string& text = years[i].period;
    int year = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), year);
    if (r.ec != std::errc() || r.ptr != text.data() + text.size()) continue;  // "Итого"
    out.push_back({text + " год", ToMinutes({year, 1, 1, 0}), ToMinutes({year + 1, 1, 1, 0}) - 1});
  }
  return out;
}

Query PeriodQuery(const std::string& vehicle, const PeriodChoice& period) {
  return {vehicle, period.from, period.to};
}

}  // namespace mk::history
