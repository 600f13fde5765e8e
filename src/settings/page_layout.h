// SPDX-License-Identifier: GPL-3.0-or-later
// Where the settings of the value pages stand: each page's columns, each
// column a list of group runs. The editor lays its panels out from this table,
// and a test checks that it places every setting exactly once.
#pragma once

#include <string_view>
#include <vector>

#include "settings/pages.h"
#include "settings/setting.h"

namespace mk::settings {

/// A run of a group's lines in one column: `rows` lines of what is left of the
/// group (all of it when negative).
struct GroupSlice {
  std::string_view group;
  int rows = -1;
};
using PanelColumns = std::vector<std::vector<GroupSlice>>;

struct PageLayout {
  Page page;
  PanelColumns columns;
  int caption_width = 170;  // captions wider than this wrap
};

/// The layout of a page's settings panel (on "Дисплей", of the page "Разное").
const PageLayout& LayoutOf(Page page);

/// One line of a group: a single setting, or the settings of a table row.
struct PlacedLine {
  std::string_view row;
  std::vector<const Setting*> settings;
};
/// A slice as laid out: its group, the group's column headings (for table
/// rows), and the lines it takes.
struct PlacedSlice {
  std::string_view group;
  std::vector<std::string_view> headings;
  std::vector<PlacedLine> lines;
};
/// The lines of `page` that each slice of `columns` takes, column by column.
/// mk::Error names a slice whose group the page does not have.
std::vector<std::vector<PlacedSlice>> PlaceSettings(Page page, const PanelColumns& columns);

}  // namespace mk::settings
