// SPDX-License-Identifier: GPL-3.0-or-later
// The device model's catalogues: built for a new model, rebuilt by the edit and
// oscilloscope transactions from the image being edited.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "device/mk.h"
#include "image_builder.h"
#include "support/recording_prompt.h"

namespace mk::device {
namespace {

using testing::PatternImage;
using testing::PositionOf;

std::array<std::int64_t, 10> HotMenu(const TMK& mk, std::size_t menu) {
  std::array<std::int64_t, 10> codes{};
  for (std::size_t i = 0; i < codes.size(); ++i) {
    codes[i] = mk.Rec(BlockId::Display).GetInt("HotMenu", menu, i);
  }
  return codes;
}

// An image of the given model variant with protocol 0 selected.
TMK ModelWithVariant(std::uint16_t device_version, std::uint8_t variant) {
  std::vector<std::uint8_t> image = PatternImage();
  const std::size_t info = PositionOf(image, 11);
  image[info + 4] = 0;
  image[info + 5] = 0;
  image[60] = variant;
  image[61] = image[62] = image[63] = 0;
  TMK mk;
  mk.ReplaceImage(device_version, image);
  return mk;
}

TEST(NewModelHotMenus, DefaultsAreLookedUpInTheMenuOfModelOneVariantZero) {
  const TMK mk;
  using Codes = std::array<std::int64_t, 10>;
  // FullTank, ToTank, FlagSound, VelocityLimit, Prognoz, ExpenseHH, -, MeasParamsHistoryFlag.
  EXPECT_EQ(HotMenu(mk, 0), (Codes{2, 3, 31, 15, 6, 8, 0, 28, 0, 0}));
  // TripJourn, InitReset0Params, InitReset1Params, ContinueTrip, TankJourn.
  EXPECT_EQ(HotMenu(mk, 1), (Codes{52, 47, 48, 53, 97, 0, 0, 0, 0, 0}));
  EXPECT_EQ(HotMenu(mk, 2), Codes{}) << "the first variant has no taximeter";
  // ParkOff, ParkSense_0, ParkSpeed_0, ParkBeepType, ParkAlwaysOn.
  EXPECT_EQ(HotMenu(mk, 3), (Codes{146, 148, 149, 150, 151, 0, 0, 0, 0, 0}));
}

TEST(CatalogueRebuild, TheEditorSeesTheMenuOfTheImagesVariant) {
  TMK mk = ModelWithVariant(1, 1);  // the taximeter variant
  EXPECT_EQ(mk.Catalogues().Menu().FindMenuItemByName("TaxStartFinishMenu"), nullptr)
      << "a new model's catalogue is the first variant's until the editor opens";
  bool taxi_in_editor = false;
  mk.EditSettings([&] {
    const auto* item = mk.Catalogues().Menu().FindMenuItemByName("TaxStartFinishMenu");
    taxi_in_editor = item != nullptr && item->Code == 119;
    return false;
  });
  EXPECT_TRUE(taxi_in_editor);
}

TEST(CatalogueRebuild, TheOscilloscopeOpensOnlyForAVariantThatHasOne) {
  struct Case {
    std::uint16_t model;
    std::uint8_t variant;
    bool opens;
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      {1, 0, true, {}},
      {2, 2, false, {"В данной версии МК оцилллограф не поддерживается."}},
  };
  for (const Case& c : cases) {
    TMK mk = ModelWithVariant(c.model, c.variant);
    tests::RecordingPrompt prompt;
    bool shown = false;
    EXPECT_EQ(mk.ViewOscilloscope([&] { return shown = true; }, prompt), c.opens) << c.model;
    EXPECT_EQ(shown, c.opens) << c.model;
    EXPECT_EQ(prompt.errors, c.errors) << c.model;
  }
}

}  // namespace
}  // namespace mk::device
