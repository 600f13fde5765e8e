// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/usb_mk.h"

#include <gtest/gtest.h>

namespace mk::platform {
namespace {

TEST(FriendlyNameTest, TakesOneOrTwoDigitsAfterTheFirstCom) {
  EXPECT_EQ(ComNumberFromFriendlyName("Varneko USB Serial (COM12)"), 12);
  EXPECT_EQ(ComNumberFromFriendlyName("Varneko (COM7)"), 7);
  EXPECT_EQ(ComNumberFromFriendlyName("VarnekoCOM1"), 1);
  EXPECT_EQ(ComNumberFromFriendlyName("Varneko COM32"), 32);
  EXPECT_EQ(ComNumberFromFriendlyName("Varneko COM3 (COM4)"), 3) << "the first COM counts";
  EXPECT_EQ(ComNumberFromFriendlyName("COM5 Varneko"), 5);
}

TEST(FriendlyNameTest, RefusesOtherNamesAndNumbers) {
  EXPECT_EQ(ComNumberFromFriendlyName("USB Serial (COM7)"), std::nullopt);
  EXPECT_EQ(ComNumberFromFriendlyName("varneko (COM7)"), std::nullopt);
  EXPECT_EQ(ComNumberFromFriendlyName("Varneko (com7)"), std::nullopt);
  EXPECT_EQ(ComNumberFromFriendlyName("Varneko USB Serial"), std::nullopt);
  EXPECT_EQ(ComNumberFromFriendlyName("Varneko (COM)"), std::nullopt);
  EXPECT_EQ(ComNumberFromFriendlyName("Varneko COM"), std::nullopt);
  EXPECT_EQ(ComNumberFromFriendlyName("Varneko (COM0)"), std::nullopt);
  EXPECT_EQ(ComNumberFromFriendlyName("Varneko (COM33)"), std::nullopt);
  EXPECT_EQ(ComNumberFromFriendlyName("Varneko (COM99)"), std::nullopt);
  EXPECT_EQ(ComNumberFromFriendlyName("Varneko (COM123)"), std::nullopt);
  EXPECT_EQ(ComNumberFromFriendlyName("Varneko COMPOSITE (COM7)"), std::nullopt);
  EXPECT_EQ(ComNumberFromFriendlyName(""), std::nullopt);
}

}  // namespace
}  // namespace mk::platform
