// SPDX-License-Identifier: GPL-3.0-or-later
// The editor dialog's own window data: its caption and size when it opens,
// the object names of its pages, and the tabs of the display page.
#pragma once

#include <array>
#include <string_view>

#include "settings/pages.h"

namespace mk::editor {

struct PageName {
  settings::Page page;
  std::string_view object_name;
};

/// In settings::Page order; tests and the screenshots find the pages by these.
inline constexpr std::array<PageName, settings::kPages.size()> kPageNames = {{
    {settings::Page::Corrections, "TabSheet2"},
    {settings::Page::Sources, "tsCorr"},
    {settings::Page::Limits, "TabSheet1"},
    {settings::Page::Display, "tsDisp"},
    {settings::Page::Voice, "tsVoice"},
    {settings::Page::Averages, "tsAver"},
    {settings::Page::Parking, "tsPark"},
    {settings::Page::Tank, "tsOil"},
    {settings::Page::Service, "tsTO"},
    {settings::Page::Blocks, "tsBlocks"},
    {settings::Page::UniMeas, "tsUniMeas"},
}};

constexpr std::string_view PageObjectName(settings::Page page) {
  return kPageNames[static_cast<unsigned>(page)].object_name;
}

struct DisplayPageInfo {
  settings::DisplayPage page;
  std::string_view object_name;
  std::string_view caption;
};

/// The sub-pages of "Дисплей", in settings::DisplayPage order.
inline constexpr std::array<DisplayPageInfo, 10> kDisplayPages = {{
    {settings::DisplayPage::Colors, "tsColors", "Цветовые схемы"},
    {settings::DisplayPage::X4, "tsDisp4", "Дисплеи х4"},
    {settings::DisplayPage::X9, "tsDisp9", "Дисплеи х9"},
    {settings::DisplayPage::X7, "tsDisp7", "Дисплеи х7"},
    {settings::DisplayPage::X3, "tsDisp3", "Дисплеи х3"},
    {settings::DisplayPage::Graph, "tsDispGraph", "Граф. дисплеи"},
    {settings::DisplayPage::Arrow, "tsDispArrow", "Стрел. дисплеи"},
    {settings::DisplayPage::X6, "tsDisp6", "Дисплей х6"},
    {settings::DisplayPage::HotMenus, "tsHotMenu", "Горячие меню"},
    {settings::DisplayPage::Misc, "tsDispMisc", "Разное"},
}};

// Both tables are indexed by their enum: a row out of place names the wrong page.
constexpr bool InEnumOrder() {
  for (unsigned i = 0; i < kPageNames.size(); ++i) {
    if (static_cast<unsigned>(kPageNames[i].page) != i) return false;
  }
  for (unsigned i = 0; i < kDisplayPages.size(); ++i) {
    if (static_cast<unsigned>(kDisplayPages[i].page) != i) return false;
  }
  return true;
}
static_assert(InEnumOrder());

/// The dialog's caption and the size of its client area when it opens: what
/// its largest pages need (the four-screen galleries of «Дисплей», the hot
/// menus), with its frame within a 1280 × 720 screen.
inline constexpr std::string_view kEditorCaption = "Настройки МК";
inline constexpr int kEditorWidth = 1200;
inline constexpr int kEditorHeight = 660;

}  // namespace mk::editor
