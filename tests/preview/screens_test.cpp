// SPDX-License-Identifier: GPL-3.0-or-later
// Each screen kind drawn from its codes: places where the click geometry puts
// them, in the colours of their elements, and nothing drawn for unknown codes.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "catalog/meas_param.h"
#include "device/mk.h"
#include "preview/render.h"
#include "preview/screens.h"
#include "text/error.h"

namespace mk::preview {
namespace {

/// A colour set whose palette entry i is the colour word i + 1 and whose
/// element j points at palette entry j mod 16, so every element has its own colour.
device::ColorSetBytes DistinctSet() {
  device::ColorSetBytes set{};
  for (std::size_t i = 0; i < device::kPaletteSize; ++i) {
    set[2 * i] = static_cast<std::uint8_t>(0x10 * (i + 1));
    set[2 * i + 1] = static_cast<std::uint8_t>(i + 1);
  }
  for (std::size_t j = 0; j < device::kColorIndexCount; ++j) {
    set[2 * device::kPaletteSize + j] = static_cast<std::uint8_t>(j % 16);
  }
  return set;
}

class Screens : public ::testing::Test {
 protected:
  Screens() : colors_(set_) {}

  const catalog::MeasParamCatalogue& Params() const { return mk_.Catalogues().Params(); }
  void Draw(ScreenKind kind, std::vector<std::uint8_t> codes, int layout = 0) {
    codes_ = std::move(codes);
    DrawScreen(canvas_, kind, ScreenInput{codes_, Params(), colors_, layout});
  }
  int Count(Color c, int x0, int y0, int x1, int y1) const {
    int n = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) n += canvas_.At(x, y) == c;
    }
    return n;
  }

  device::TMK mk_;
  device::ColorSetBytes set_ = DistinctSet();
  ScreenColors colors_;
  std::vector<std::uint8_t> codes_;
  Canvas canvas_;
};

TEST_F(Screens, X4DrawsEachValueInItsQuarter) {
  const Color value = colors_.Digit(DigitPart::Color1);
  Draw(ScreenKind::X4, {0, 0, 0, 12});  // speed in place 3 only
  EXPECT_EQ(Count(value, 0, 0, 320, 120), 0);
  EXPECT_EQ(Count(value, 0, 120, 160, 240), 0);
  EXPECT_GT(Count(value, 160, 120, 320, 240), 100);
  EXPECT_GT(Count(colors_.Digit(DigitPart::Color2), 160, 120, 320, 240), 20);  // name and unit
  EXPECT_GT(Count(colors_.Digit(DigitPart::Frame), 0, 0, 320, 240), 300);
}

TEST_F(Screens, LayoutOneDrawsCaptionsOnTheValueGround) {
  Draw(ScreenKind::X4, {12, 12, 12, 12}, 0);
  EXPECT_GT(Count(colors_.Digit(DigitPart::Back2), 0, 0, 320, 240), 1000);
  Draw(ScreenKind::X4, {12, 12, 12, 12}, 1);
  EXPECT_EQ(Count(colors_.Digit(DigitPart::Back2), 0, 0, 320, 240), 0);
}

TEST_F(Screens, UnknownAndEmptyCodesDrawAnEmptyPlace) {
  Draw(ScreenKind::X9, {0, 200, 99, 0, 0, 0, 0, 0, 0});
  EXPECT_EQ(Count(colors_.Digit(DigitPart::Color1), 0, 0, 320, 240), 0);
  EXPECT_EQ(Count(colors_.Digit(DigitPart::Color2), 0, 0, 320, 240), 0);
  Draw(ScreenKind::X7, {});  // too few codes count as empty
  EXPECT_EQ(Count(colors_.Digit(DigitPart::Color1), 0, 0, 320, 240), 0);
}

TEST_F(Screens, X7AndX3AgreeWithTheirBands) {
  const Color value = colors_.Digit(DigitPart::Color1);
  Draw(ScreenKind::X7, {0, 0, 0, 0, 0, 0, 13});
  EXPECT_EQ(Count(value, 0, 0, 320, 6 * 34), 0);
  EXPECT_GT(Count(value, 0, 6 * 34, 320, 240), 50);
  Draw(ScreenKind::X3, {13, 0, 0});  // place 0 fills the five top bands
  EXPECT_GT(Count(value, 0, 0, 320, 5 * 34), 200);
  EXPECT_EQ(Count(value, 0, 5 * 34, 320, 240), 0);
  Draw(ScreenKind::X3, {0, 13, 0});
  EXPECT_GT(Count(value, 0, 5 * 34, 320, 6 * 34), 50);
  EXPECT_EQ(Count(value, 0, 6 * 34, 320, 240), 0);
}

TEST_F(Screens, X6PlacesSitInTheirCells) {
  const Color value = colors_.Digit(DigitPart::Color1);
  Draw(ScreenKind::X6, {0, 0, 0, 0, 0, 12});  // place 5: the bottom right cell
  EXPECT_GT(Count(value, 213, 160, 320, 240), 50);
  EXPECT_EQ(Count(value, 0, 0, 320, 160), 0);
  Draw(ScreenKind::X6, {12, 0, 0, 0, 0, 0});
  EXPECT_GT(Count(value, 0, 0, 212, 160), 200);
  EXPECT_EQ(Count(value, 212, 0, 320, 240), 0);
}

TEST_F(Screens, GraphLinesStayInTheirGraphs) {
  const Color line1 = colors_.Graph(GraphPart::Line1), line2 = colors_.Graph(GraphPart::Line2);
  Draw(ScreenKind::Graph, {13, 10});
  EXPECT_GT(Count(line1, 0, 0, 320, 90), 300);
  EXPECT_EQ(Count(line1, 0, 90, 320, 180), 0);
  EXPECT_GT(Count(line2, 0, 90, 320, 180), 300);
  EXPECT_EQ(Count(line2, 0, 0, 320, 90), 0);
  EXPECT_GT(Count(colors_.Graph(GraphPart::LabelBack), 0, 181, 320, 240), 1000);
  Draw(ScreenKind::Graph, {13, 0});  // no lower graph: no second line
  EXPECT_EQ(Count(line2, 0, 0, 320, 240), 0);
}

TEST_F(Screens, ArrowDialsSitLeftAndInTheRight200Pixels) {
  const Color left = colors_.Arrow(ArrowPart::LeftNeedle);
  const Color right = colors_.Arrow(ArrowPart::RightNeedle);
  Draw(ScreenKind::Arrow, {13, 12});
  EXPECT_GT(Count(left, 0, 0, 120, 240), 50);
  EXPECT_EQ(Count(left, 120, 0, 320, 240), 0);
  EXPECT_GT(Count(right, 120, 0, 320, 240), 50);
  EXPECT_EQ(Count(right, 0, 0, 120, 240), 0);
  EXPECT_GT(Count(colors_.Arrow(ArrowPart::RightDial), 120, 0, 320, 240), 10000);
}

TEST_F(Screens, X1AndMenuScreens) {
  Draw(ScreenKind::X4, {});
  codes_ = {12};
  DrawX1(canvas_, ScreenInput{codes_, Params(), colors_, 0});
  EXPECT_GT(Count(colors_.Digit(DigitPart::Color1), 0, 90, 320, 150), 300);  // "60", large
  EXPECT_GT(Count(colors_.Digit(DigitPart::Color2), 0, 0, 320, 90), 100);    // "Скорость"
  const std::vector<std::string> items = {"\xC0", "\xC1", "\xC2"};
  DrawMenu(canvas_, colors_, items, 1);
  EXPECT_GT(Count(colors_.Menu(MenuPart::ActiveBack), 0, 26, 320, 46), 3000);  // row 1
  EXPECT_EQ(Count(colors_.Menu(MenuPart::ActiveBack), 0, 0, 320, 24), 0);
  EXPECT_GT(Count(colors_.Menu(MenuPart::HotNumber), 0, 0, 24, 70), 30);  // the numbers
}

TEST(ScreenColors, IndicesAbove15AreTakenModulo16) {
  device::ColorSetBytes set = DistinctSet();
  set[device::kDigitsIndexOffset] = 16 + 3;
  set[device::kGaugeIndexOffset + 9] = 255;
  const ScreenColors colors(set);
  EXPECT_EQ(colors.Digit(DigitPart::Color1), colors.Palette(3));
  EXPECT_EQ(colors.Arrow(ArrowPart::HighScale), colors.Palette(15));
  EXPECT_EQ(colors.Palette(1), 0x0220);
}

TEST(RenderScreen, DrawsFromTheImageInTheActiveScheme) {
  device::TMK mk;
  device::Record& display = mk.Rec(device::BlockId::Display);
  // The x3 screen 1 shows the first three places of x7 screen 1.
  const auto x3 = ScreenCodes(display, ScreenKind::X3, 1);
  const auto x7 = ScreenCodes(display, ScreenKind::X7, 1);
  ASSERT_EQ(x3.size(), 3U);
  EXPECT_TRUE(std::equal(x3.begin(), x3.end(), x7.begin()));
  EXPECT_EQ(ScreenCodes(display, ScreenKind::X6, 0),
            (std::vector<std::uint8_t>{12, 17, 13, 10, 8, 9}));
  SetPlaceCode(display, ScreenKind::X6, 0, 5, 44);
  EXPECT_EQ(display.GetInt("Disp6Params", 5), 44);
  EXPECT_THROW(ScreenCodes(display, ScreenKind::X6, 1), Error);
  EXPECT_THROW(SetPlaceCode(display, ScreenKind::X4, 0, 4, 1), Error);

  Canvas preset, user;
  RenderScreen(preset, mk, ScreenKind::X4, 0);
  display.SetInt("ActiveColorScheme", 0x14);  // the user's scheme
  RenderScreen(user, mk, ScreenKind::X4, 0);
  EXPECT_EQ(preset.At(80, 60), ScreenColors(mk.ColorSet(0)).Digit(DigitPart::Back1));
  EXPECT_EQ(user.At(80, 60), ScreenColors(mk.ColorSet(1)).Digit(DigitPart::Back1));
  EXPECT_EQ(WorkingColorSetIndex(0x34), 1U);
  EXPECT_EQ(WorkingColorSetIndex(0x43), 0U);
}

TEST(RenderScreen, EveryScreenOfEveryKindDraws) {
  device::TMK mk;
  for (ScreenKind kind : kScreenKinds) {
    for (int n = 0; n < ScreenCount(kind); ++n) {
      Canvas canvas;
      RenderScreen(canvas, mk, kind, n);
      std::array<std::uint32_t, kScreenWidth * kScreenHeight> argb{};
      ToArgb32(canvas, argb);
      EXPECT_EQ(argb[0] >> 24, 0xFFU);
      EXPECT_EQ(ToRgb24(canvas).size(), 320U * 240U * 3U);
    }
  }
}

}  // namespace
}  // namespace mk::preview
