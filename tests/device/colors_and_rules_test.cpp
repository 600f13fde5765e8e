// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "device/colors.h"
#include "device/value_rules.h"
#include "text/byte_io.h"
#include "text/error.h"

namespace mk::device {
namespace {

TEST(ColorWords, GreensLowestBitIsRepeatedInBitFive) {
  EXPECT_EQ(PackColor(31, 0, 0), 0xF800);
  EXPECT_EQ(PackColor(0, 0, 31), 0x001F);
  EXPECT_EQ(PackColor(0, 1, 0), 0x0060);
  EXPECT_EQ(PackColor(0, 2, 0), 0x0080);
  EXPECT_EQ(PackColor(31, 31, 31), 0xFFFF);
  EXPECT_EQ(UnpackColor(0xFFFF), (Rgb{31, 31, 31}));
  EXPECT_EQ(UnpackColor(0x0020), (Rgb{0, 0, 0})) << "bit 5 alone is no green";
  for (int r = 0; r < 32; r += 5) {
    for (int g = 0; g < 32; ++g) {
      for (int b = 0; b < 32; b += 3) EXPECT_EQ(UnpackColor(PackColor(r, g, b)), (Rgb{r, g, b}));
    }
  }
}

TEST(ColorPresets, FourDistinctSchemesWithValidIndices) {
  const auto& presets = BuiltInColorPresets();
  std::set<ColorSetBytes> distinct(presets.begin(), presets.end());
  EXPECT_EQ(distinct.size(), 4u);
  for (const ColorSetBytes& set : presets) {
    for (std::size_t i = 0; i < kColorIndexCount; ++i) EXPECT_LT(set[32 + i], 16) << i;
    // Digits must stand out from their background in every scheme.
    const auto digits = bytes::ReadU16(set, 2 * set[kDigitsIndexOffset]);
    const auto ground = bytes::ReadU16(set, 2 * set[kDigitsIndexOffset + 1]);
    EXPECT_NE(digits, ground);
    for (std::size_t i = 0; i < kPaletteSize; ++i) {
      const auto word = bytes::ReadU16(set, 2 * i);
      EXPECT_EQ((word >> 5) & 1, (word >> 6) & 1) << "green's low bit copied into bit 5";
    }
  }
}

TEST(ValueRules, ForsCoefShowsOneAndTwoAsThemselvesAndTheRestAsFour) {
  EXPECT_EQ(ForsCoefShown(1), 1);
  EXPECT_EQ(ForsCoefShown(2), 2);
  EXPECT_EQ(ForsCoefShown(0), 4);
  EXPECT_EQ(ForsCoefShown(3), 4);
  EXPECT_EQ(ForsCoefShown(4), 4);
  EXPECT_EQ(ForsCoefShown(255), 4);
}

TEST(ValueRules, AlarmWithOneChoiceStoresItInBothFields) {
  EXPECT_EQ(AlarmModeOneChoice(0), 0);
  EXPECT_EQ(AlarmModeOneChoice(1), 9);
  EXPECT_EQ(AlarmModeOneChoice(7), 63);
  EXPECT_EQ(AlarmModeTwoChoices(2, 5), 2 + 40);
  EXPECT_EQ(AlarmFirstChoice(42), 2);
  EXPECT_EQ(AlarmSecondChoice(42), 5);
  EXPECT_THROW(AlarmModeOneChoice(8), RangeError);
  EXPECT_THROW(AlarmModeTwoChoices(0, -1), RangeError);
}

}  // namespace
}  // namespace mk::device
