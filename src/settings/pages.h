// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's pages as data: their order and captions, and the ten
// sub-pages of the display page. The dialog, presets and mkctl all walk this.
#pragma once

#include <array>
#include <string_view>

namespace mk::settings {

/// The main pages, in the order the dialog shows them.
enum class Page : unsigned {
  Corrections,
  Sources,
  Limits,
  Display,
  Voice,
  Averages,
  Parking,
  Tank,
  Service,
  Blocks,
  UniMeas,
};

struct PageInfo {
  Page page;
  std::string_view caption;
};

inline constexpr std::array<PageInfo, 11> kPages = {{
    {Page::Corrections, "Поправки"},
    {Page::Sources, "Источники"},
    {Page::Limits, "Границы"},
    {Page::Display, "Дисплей"},
    {Page::Voice, "Озвуч.сообщения"},
    {Page::Averages, "Средние"},
    {Page::Parking, "Парковка"},
    {Page::Tank, "Бак"},
    {Page::Service, "ТО"},
    {Page::Blocks, "Допсистемы"},
    {Page::UniMeas, "Унив.вход"},
}};

constexpr const PageInfo& InfoOf(Page page) {
  return kPages[static_cast<unsigned>(page)];
}

/// The sub-pages of "Дисплей", in order.
enum class DisplayPage : unsigned {
  Colors,
  X4,
  X9,
  X7,
  X3,
  Graph,
  Arrow,
  X6,
  HotMenus,
  Misc,
};

}  // namespace mk::settings
