// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/page_layout.h"

#include <algorithm>
#include <array>

#include "settings/setting_table.h"
#include "text/error.h"

namespace mk::settings {

namespace {

// Group names are the captions of the table's rows, spaces included.
const std::array<PageLayout, 11> kLayouts = {{
    {Page::Corrections, {{{"Поправки"}}, {{""}}}, 250},
    {Page::Sources, {{{"Протокол"}}, {{"Бак"}, {"Яркость"}}, {{"Источники"}}}, 160},
    {Page::Limits, {{{"Границы", 13}}, {{"Границы"}, {""}}}, 170},
    {Page::Display, {{{"Разное", 2}}, {{"Разное"}}}, 270},
    {Page::Voice, {{{"Звук"}, {"Предупреждения", 6}}, {{"Предупреждения"}}}, 240},
    {Page::Averages, {{{"Расчет стоимости"}, {"Периоды автосброса, дни"}}, {{"Поездки"}}}, 250},
    {Page::Parking, {{{""}}, {{"Задний"}}, {{"Передний"}}}, 250},
    {Page::Tank, {}, 170},
    {Page::Service, {{{"Осталось до...,               тыс.км        использ."}}}, 170},
    {Page::Blocks, {{{""}}}, 170},
    {Page::UniMeas, {{{"Универсальный вход"}, {"Калибровка"}}}, 170},
}};

struct Group {
  std::string_view name;
  std::vector<PlacedLine> lines;
  std::vector<std::string_view> headings;
  std::size_t next = 0;  // first line not yet placed
};

std::vector<Group> GroupsOf(Page page) {
  std::vector<Group> groups;
  for (const Setting* s : SettingsOf(page)) {
    if (s->hand_drawn) continue;  // the window places what it draws
    auto it = std::ranges::find(groups, s->group, &Group::name);
    if (it == groups.end()) {
      groups.push_back({s->group, {}, {}, 0});
      it = groups.end() - 1;
    }
    if (!s->row.empty() && !it->lines.empty() && it->lines.back().row == s->row) {
      it->lines.back().settings.push_back(s);
    } else {
      it->lines.push_back({s->row, {s}});
    }
    // A text that names its row stands in the row label's place, not in a column.
    if (!s->column.empty() && !s->names_row &&
        std::ranges::find(it->headings, s->column) == it->headings.end()) {
      it->headings.push_back(s->column);
    }
  }
  return groups;
}

}  // namespace

const PageLayout& LayoutOf(Page page) {
  return kLayouts[static_cast<unsigned>(page)];
}

std::vector<std::vector<PlacedSlice>> PlaceSettings(Page page, const PanelColumns& columns) {
  auto groups = GroupsOf(page);
  std::vector<std::vector<PlacedSlice>> placed;
  for (const auto& column : columns) {
    auto& out = placed.emplace_back();
    for (const GroupSlice& slice : column) {
      const auto it = std::ranges::find(groups, slice.group, &Group::name);
      if (it == groups.end()) {
        throw Error("На странице «" + std::string(InfoOf(page).caption) + "» нет группы «" +
                    std::string(slice.group) + "».");
      }
      Group& group = *it;
      const std::size_t end =
          slice.rows < 0
              ? group.lines.size()
              : std::min(group.lines.size(), group.next + static_cast<std::size_t>(slice.rows));
      PlacedSlice& s = out.emplace_back(PlacedSlice{group.name, group.headings, {}});
      for (; group.next < end; ++group.next) s.lines.push_back(group.lines[group.next]);
    }
  }
  return placed;
}

}  // namespace mk::settings
