// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/page_rules.h"

#include <gtest/gtest.h>

namespace mk::settings {
namespace {

using catalog::Feature;
using catalog::Features;

TEST(PageRules, ParkingBlocksAndUniversalInputFollowTheirFlags) {
  EXPECT_TRUE(PageShown(Page::Parking, {}));
  EXPECT_FALSE(PageShown(Page::Parking, {Feature::NoParkSensors}));
  EXPECT_FALSE(PageShown(Page::Blocks, {}));
  EXPECT_TRUE(PageShown(Page::Blocks, {Feature::HasBlocks}));
  EXPECT_FALSE(PageShown(Page::UniMeas, {}));
  EXPECT_TRUE(PageShown(Page::UniMeas, {Feature::HasUniMeas}));
  EXPECT_TRUE(PageShown(Page::Tank, {Feature::NoParkSensors, Feature::NoGas}));
}

TEST(PageRules, X3ScreensReplaceX7Screens) {
  EXPECT_TRUE(DisplayPageShown(DisplayPage::X7, {}));
  EXPECT_FALSE(DisplayPageShown(DisplayPage::X3, {}));
  EXPECT_FALSE(DisplayPageShown(DisplayPage::X7, {Feature::HasX3Displays}));
  EXPECT_TRUE(DisplayPageShown(DisplayPage::X3, {Feature::HasX3Displays}));
  EXPECT_FALSE(DisplayPageShown(DisplayPage::X7, {Feature::NoX7Displays}));
  EXPECT_FALSE(DisplayPageShown(DisplayPage::X3, {Feature::NoX7Displays}));
}

}  // namespace
}  // namespace mk::settings
