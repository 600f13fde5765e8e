// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/period_choices.h"

#include <string>

namespace mk::history {

std::vector<PeriodChoice> PeriodChoices(const std::vector<int>& years, LocalMinutes now) {
  CivilTime year_ago = FromMinutes(now);
  year_ago.year -= 1;
  // 29 February of a leap year is followed by the 1 March a year back.
  if (!ValidDate(year_ago.year, year_ago.month, year_ago.day)) {
    year_ago.month = 3;
    year_ago.day = 1;
  }
  std::vector<PeriodChoice> out{{"Всё время", {}, {}},
                                {"Последние 12 месяцев", ToMinutes(year_ago), now}};
  for (auto year = years.rbegin(); year != years.rend(); ++year) {
    out.push_back({std::to_string(*year) + " год", ToMinutes({*year, 1, 1, 0}),
                   ToMinutes({*year + 1, 1, 1, 0}) - 1});
  }
  return out;
}

Query PeriodQuery(const std::string& vehicle, const PeriodChoice& period) {
  return {vehicle, period.from, period.to};
}

}  // namespace mk::history
