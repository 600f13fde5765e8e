// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/mkctl/shown_output.h"

#include <cstdio>
#include <vector>

#include "tools/mkctl/json.h"

namespace mk::tools {

namespace {

std::string Strings(const std::vector<std::string>& list) {
  std::string out = "[";
  for (std::size_t i = 0; i < list.size(); ++i) out += (i == 0 ? "" : ", ") + Quote(list[i]);
  return out + "]";
}

std::string Changes(const std::vector<settings::ShownChange>& list) {
  std::string out = "[";
  for (std::size_t i = 0; i < list.size(); ++i) {
    const auto& c = list[i];
    out += std::string(i == 0 ? "\n" : ",\n") + "    {\"name\": " + Quote(c.setting->name) +
           ", \"page\": " + Quote(c.page_caption) + ", \"group\": " + Quote(c.group) +
           ", \"caption\": " + Quote(c.caption) + ", \"unit\": " + Quote(c.unit) +
           ", \"old\": " + Quote(c.old_value) + ", \"new\": " + Quote(c.new_value) + "}";
  }
  return out + (list.empty() ? "]" : "\n  ]");
}

}  // namespace

std::size_t ShownCount(const settings::ShownDiff& d) {
  return d.header.size() + d.SettingCount() + d.other.size();
}

void PrintShownText(const settings::ShownDiff& d) {
  for (const std::string& line : settings::LinesOf(d)) std::printf("%s\n", line.c_str());
  std::printf("Различий: %zu\n", ShownCount(d));
}

std::string ShownJson(const settings::ShownDiff& d) {
  return "{\n  \"header\": " + Strings(d.header) + ",\n  \"changes\": " + Changes(d.changes) +
         ",\n  \"hidden\": " + Changes(d.hidden) + ",\n  \"other\": " + Strings(d.other) + "\n}\n";
}

}  // namespace mk::tools
