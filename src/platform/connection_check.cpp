// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/connection_check.h"

#include <algorithm>

namespace mk::platform {

bool ConnectionReport::Clear() const {
  return std::none_of(obstacles.begin(), obstacles.end(),
                      [](const Obstacle& o) { return o.blocking; });
}

std::string FormatReport(const ConnectionReport& report) {
  std::string text = "Проверено:\n";
  for (const auto& line : report.checked) text += "  " + line + "\n";
  const auto section = [&](bool blocking, const char* title) {
    bool first = true;
    for (const auto& o : report.obstacles) {
      if (o.blocking != blocking) continue;
      if (first) text += std::string("\n") + title + "\n";
      first = false;
      text += "- " + o.what + "\n  Что сделать: " + o.fix + "\n";
    }
  };
  section(true, "Мешает:");
  section(false, "Может помешать:");
  if (report.Clear()) text += "\nПодключению к МК ничего не мешает.\n";
  return text;
}

}  // namespace mk::platform
