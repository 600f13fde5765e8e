// The device model's catalogues: built for a new model, rebuilt by the edit and
// oscilloscope transactions from the image being edited.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "device/mk.h"
#include "image_builder.h"
#include "link/user_prompt.h"

namespace mk::device {
namespace {

using testing::PatternImage;
using testing::PositionOf;

class CountingPrompt : public link::IUserPrompt {
 public:
  void ShowError(const std::string& text) override { errors.push_back(text); }
  void ShowInfo(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  std::vector<std::string> errors;
};

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

TEST(CatalogueRebuild, AVariantWithoutOscilloscopeGetsTheMessageAndNoWindow) {
  TMK mk = ModelWithVariant(2, 2);
  CountingPrompt prompt;
  bool shown = false;
  EXPECT_FALSE(mk.ViewOscilloscope([&] { return shown = true; }, prompt));
  EXPECT_FALSE(shown);
  ASSERT_EQ(prompt.errors.size(), 1u);
  EXPECT_EQ(prompt.errors[0], "В данной версии МК оцилллограф не поддерживается.");
}

TEST(CatalogueRebuild, AVariantWithOscilloscopeOpensTheWindow) {
  TMK mk = ModelWithVariant(1, 0);
  CountingPrompt prompt;
  bool shown = false;
  EXPECT_TRUE(mk.ViewOscilloscope([&] { return shown = true; }, prompt));
  EXPECT_TRUE(shown);
  EXPECT_TRUE(prompt.errors.empty());
}

}  // namespace
}  // namespace mk::device
