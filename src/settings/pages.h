// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's pages as data: their order, object names and captions, and
// the ten sub-pages of the display page. The dialog and mkctl both walk this.
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
  std::string_view object_name;
  std::string_view caption;
};

inline constexpr std::array<PageInfo, 11> kPages = {{
    {Page::Corrections, "TabSheet2", "Поправки"},
    {Page::Sources, "tsCorr", "Источники"},
    {Page::Limits, "TabSheet1", "Границы"},
    {Page::Display, "tsDisp", "Дисплей"},
    {Page::Voice, "tsVoice", "Озвуч.сообщения"},
    {Page::Averages, "tsAver", "Средние"},
    {Page::Parking, "tsPark", "Парковка"},
    {Page::Tank, "tsOil", "Бак"},
    {Page::Service, "tsTO", "ТО"},
    {Page::Blocks, "tsBlocks", "Допсистемы"},
    {Page::UniMeas, "tsUniMeas", "Унив.вход"},
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

struct DisplayPageInfo {
  DisplayPage page;
  std::string_view object_name;
  std::string_view caption;
};

inline constexpr std::array<DisplayPageInfo, 10> kDisplayPages = {{
    {DisplayPage::Colors, "tsColors", "Цветовые схемы"},
    {DisplayPage::X4, "tsDisp4", "Дисплеи х4"},
    {DisplayPage::X9, "tsDisp9", "Дисплеи х9"},
    {DisplayPage::X7, "tsDisp7", "Дисплеи х7"},
    {DisplayPage::X3, "tsDisp3", "Дисплеи х3"},
    {DisplayPage::Graph, "tsDispGraph", "Граф. дисплеи"},
    {DisplayPage::Arrow, "tsDispArrow", "Стрел. дисплеи"},
    {DisplayPage::X6, "tsDisp6", "Дисплей х6"},
    {DisplayPage::HotMenus, "tsHotMenu", "Горячие меню"},
    {DisplayPage::Misc, "tsDispMisc", "Разное"},
}};

/// The dialog's caption and the size of its client area when it opens: what
/// its largest pages need (the four-screen galleries of «Дисплей», the hot
/// menus), with its frame within a 1280 × 720 screen.
inline constexpr std::string_view kEditorCaption = "Настройки МК";
inline constexpr int kEditorWidth = 1200;
inline constexpr int kEditorHeight = 660;

}  // namespace mk::settings
