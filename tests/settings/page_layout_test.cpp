// SPDX-License-Identifier: GPL-3.0-or-later
// The page layout table places every setting a panel shows exactly once.
#include "settings/page_layout.h"

#include <gtest/gtest.h>

#include <map>

#include "settings/setting_table.h"
#include "text/error.h"

namespace mk::settings {
namespace {

TEST(PageLayout, EveryPanelSettingStandsOnExactlyOnePage) {
  std::map<std::string_view, int> placed;
  for (const PageInfo& info : kPages) {
    const PageLayout& layout = LayoutOf(info.page);
    ASSERT_EQ(layout.page, info.page) << info.caption;
    for (const auto& column : PlaceSettings(info.page, layout.columns)) {
      for (const PlacedSlice& slice : column) {
        EXPECT_FALSE(slice.lines.empty()) << info.caption << ": «" << slice.group << "» empty";
        for (const PlacedLine& line : slice.lines) {
          for (const Setting* s : line.settings) {
            EXPECT_EQ(s->page, info.page) << s->name;
            ++placed[s->name];
          }
        }
      }
    }
  }
  // What the window draws by hand it places itself, on the row's own page.
  for (const Setting& s : AllSettings()) EXPECT_EQ(placed[s.name], s.hand_drawn ? 0 : 1) << s.name;
}

TEST(PageLayout, AGroupThePageLacksIsAnError) {
  // A caption typed with one space too few would otherwise drop its settings silently.
  EXPECT_THROW(PlaceSettings(Page::Service, {{{"Осталось до..., тыс.км использ."}}}), Error);
}

}  // namespace
}  // namespace mk::settings
