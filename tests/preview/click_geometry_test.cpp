// SPDX-License-Identifier: GPL-3.0-or-later
// Which place a right click on a preview hits.
#include <gtest/gtest.h>

#include "preview/screen_kind.h"

namespace mk::preview {
namespace {

constexpr int kW = 320, kH = 240;

TEST(PlaceAt, X4LowerRightQuarterIsPlaceThree) {
  EXPECT_EQ(PlaceAt(ScreenKind::X4, 250, 200, kW, kH), 3);
  EXPECT_EQ(PlaceAt(ScreenKind::X4, 159, 119, kW, kH), 0);
  EXPECT_EQ(PlaceAt(ScreenKind::X4, 160, 0, kW, kH), 1);
  EXPECT_EQ(PlaceAt(ScreenKind::X4, 0, 120, kW, kH), 2);
}

TEST(PlaceAt, X9CellsRowByRow) {
  EXPECT_EQ(PlaceAt(ScreenKind::X9, 0, 0, kW, kH), 0);
  EXPECT_EQ(PlaceAt(ScreenKind::X9, 106, 80, kW, kH), 4);
  EXPECT_EQ(PlaceAt(ScreenKind::X9, 212, 160, kW, kH), 8);
  // 320 div 3 leaves two pixels at the right: they belong to the last column.
  EXPECT_EQ(PlaceAt(ScreenKind::X9, 319, 239, kW, kH), 8);
}

TEST(PlaceAt, X7BandsAndTheLeftoverPixelsAtTheBottom) {
  EXPECT_EQ(PlaceAt(ScreenKind::X7, 10, 0, kW, kH), 0);
  EXPECT_EQ(PlaceAt(ScreenKind::X7, 10, 34, kW, kH), 1);
  EXPECT_EQ(PlaceAt(ScreenKind::X7, 10, 237, kW, kH), 6);
  // 240 div 7 = 34 leaves y 238 and 239 past the seventh band: still place 6.
  EXPECT_EQ(PlaceAt(ScreenKind::X7, 10, 239, kW, kH), 6);
}

TEST(PlaceAt, X3TopBandIsPlaceZeroLikeTheFifthAndTheSixthIsPlaceOne) {
  EXPECT_EQ(PlaceAt(ScreenKind::X3, 100, 5, kW, kH), 0);
  EXPECT_EQ(PlaceAt(ScreenKind::X3, 100, 4 * 34 + 5, kW, kH), 0);  // fifth band
  EXPECT_EQ(PlaceAt(ScreenKind::X3, 100, 5 * 34 + 5, kW, kH), 1);  // sixth band
  EXPECT_EQ(PlaceAt(ScreenKind::X3, 100, 6 * 34 + 5, kW, kH), 2);
  EXPECT_EQ(PlaceAt(ScreenKind::X3, 100, 239, kW, kH), 2);  // never a fourth place
}

TEST(PlaceAt, X6BigPlaceInTheFourTopLeftCells) {
  EXPECT_EQ(PlaceAt(ScreenKind::X6, 10, 10, kW, kH), 0);
  EXPECT_EQ(PlaceAt(ScreenKind::X6, 200, 150, kW, kH), 0);  // cell 4
  EXPECT_EQ(PlaceAt(ScreenKind::X6, 220, 10, kW, kH), 1);   // cell 2
  EXPECT_EQ(PlaceAt(ScreenKind::X6, 220, 90, kW, kH), 2);   // cell 5
  EXPECT_EQ(PlaceAt(ScreenKind::X6, 10, 170, kW, kH), 3);   // cell 6
  EXPECT_EQ(PlaceAt(ScreenKind::X6, 110, 170, kW, kH), 4);  // cell 7
  EXPECT_EQ(PlaceAt(ScreenKind::X6, 300, 230, kW, kH), 5);  // cell 8
}

TEST(PlaceAt, GraphUpperAbove90LowerTo180NothingBelow) {
  EXPECT_EQ(PlaceAt(ScreenKind::Graph, 10, 0, kW, kH), 0);
  EXPECT_EQ(PlaceAt(ScreenKind::Graph, 10, 89, kW, kH), 0);
  EXPECT_EQ(PlaceAt(ScreenKind::Graph, 10, 90, kW, kH), 1);
  EXPECT_EQ(PlaceAt(ScreenKind::Graph, 10, 180, kW, kH), 1);
  EXPECT_EQ(PlaceAt(ScreenKind::Graph, 10, 181, kW, kH), std::nullopt);
  EXPECT_EQ(PlaceAt(ScreenKind::Graph, 10, 239, kW, kH), std::nullopt);
}

TEST(PlaceAt, ArrowRightDialIsTheRight200Pixels) {
  EXPECT_EQ(PlaceAt(ScreenKind::Arrow, 119, 100, kW, kH), 0);
  EXPECT_EQ(PlaceAt(ScreenKind::Arrow, 120, 100, kW, kH), 1);
  EXPECT_EQ(PlaceAt(ScreenKind::Arrow, 319, 0, kW, kH), 1);
}

TEST(PlaceAt, PointsOutsideTheBoxOrATooSmallBoxHitNothing) {
  for (ScreenKind kind : kScreenKinds) {
    EXPECT_EQ(PlaceAt(kind, -1, 10, kW, kH), std::nullopt) << KindName(kind);
    EXPECT_EQ(PlaceAt(kind, 10, kH, kW, kH), std::nullopt) << KindName(kind);
  }
  EXPECT_EQ(PlaceAt(ScreenKind::X9, 0, 0, 2, 2), std::nullopt);
  EXPECT_EQ(PlaceAt(ScreenKind::X7, 0, 0, 5, 5), std::nullopt);
}

// The editor shows the eight graph and arrow screens at 7/8 of their size.
TEST(PlaceAt, GraphsAndArrowsAtSevenEighthsHitThePlacesOfTheScreen) {
  constexpr int kSmallW = kW * 7 / 8, kSmallH = kH * 7 / 8;
  for (ScreenKind kind : {ScreenKind::Graph, ScreenKind::Arrow}) {
    for (int x = 0; x < kSmallW; x += 7) {
      for (int y = 0; y < kSmallH; y += 7) {
        EXPECT_EQ(PlaceAt(kind, x, y, kSmallW, kSmallH),
                  PlaceAt(kind, x * kW / kSmallW, y * kH / kSmallH, kW, kH))
            << KindName(kind) << " " << x << "," << y;
      }
    }
  }
}

TEST(KindNames, RoundTripAndCyrillicX) {
  for (ScreenKind kind : kScreenKinds) EXPECT_EQ(KindFromName(KindName(kind)), kind);
  EXPECT_EQ(KindFromName("\xD1\x85"
                         "4"),
            ScreenKind::X4);
  EXPECT_EQ(KindFromName("x5"), std::nullopt);
  EXPECT_EQ(KindFromName(""), std::nullopt);
}

}  // namespace
}  // namespace mk::preview
