// SPDX-License-Identifier: GPL-3.0-or-later
// The oscilloscope picture: where the grid, the trace, the markers and the
// captions lie for given headers, samples, offsets and time scales.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "recording_builder.h"
#include "scope/osc_drawing.h"
#include "text/error.h"

namespace mk::scope {
namespace {

using testing::OwnedRecording;
using testing::ViewAt;

std::vector<LineOp> LinesOf(const OscPicture& p, Rgb colour) {
  std::vector<LineOp> lines;
  for (const DrawOp& op : p.ops) {
    if (const auto* l = std::get_if<LineOp>(&op); l && l->colour == colour) lines.push_back(*l);
  }
  return lines;
}

std::vector<TextOp> TextsOf(const OscPicture& p) {
  std::vector<TextOp> texts;
  for (const DrawOp& op : p.ops) {
    if (const auto* t = std::get_if<TextOp>(&op)) texts.push_back(*t);
  }
  return texts;
}

// Where sample `index` is drawn: all samples 0 but that one, so the first
// line that leaves the bottom line starts there (the last sample only ends one).
int XOfSample(const OwnedRecording& rec, const OscView& view, int index) {
  OwnedRecording marked = rec;
  marked.samples.fill(0);
  marked.samples[static_cast<std::size_t>(index)] = 100;
  const OscPicture p = DrawOscilloscope(marked.View(), view);
  for (const LineOp& l : LinesOf(p, kYellow)) {
    if (l.y0 != 256) return l.x0;
  }
  for (const LineOp& l : LinesOf(p, kYellow)) {
    if (l.y1 != 256) return l.x1;  // the last sample only ends a line
  }
  ADD_FAILURE() << "sample " << index << " is not drawn";
  return -1000;
}

int TriggerMarkerX(const OscPicture& p) {
  // The tallest stroke of the magenta arrow: from the bottom line up to 252.
  for (const LineOp& l : LinesOf(p, kMagenta)) {
    if (l.y1 == 252) return l.x0;
  }
  ADD_FAILURE() << "no trigger marker";
  return -1000;
}

TEST(OscTrace, AtTheOpeningScaleEverySampleIsOnePixelAndSample32IsTwoDivisionsIn) {
  OwnedRecording rec;
  EXPECT_EQ(XOfSample(rec, ViewAt(0), 0), 32);
  EXPECT_EQ(XOfSample(rec, ViewAt(0), 32), 64);
  EXPECT_EQ(XOfSample(rec, ViewAt(0), 33), 65);
  EXPECT_EQ(TriggerMarkerX(DrawOscilloscope(rec.View(), ViewAt(0))), 64);
}

TEST(OscTrace, ScrollingToEitherEndMovesTheTraceAndTheMarker) {
  OwnedRecording rec;
  EXPECT_EQ(XOfSample(rec, ViewAt(-32), 0), 64);
  EXPECT_EQ(TriggerMarkerX(DrawOscilloscope(rec.View(), ViewAt(-32))), 96);
  EXPECT_EQ(XOfSample(rec, ViewAt(992), 1023), 63);
}

TEST(OscTrace, OnlyLinesThatReachIntoThePictureAreDrawn) {
  OwnedRecording rec;
  // Unscrolled, sample i lies at i + 32: the lines from 970 on start right of x 1001.
  const OscPicture p = DrawOscilloscope(rec.View(), ViewAt(0));
  const auto lines = LinesOf(p, kYellow);
  ASSERT_EQ(lines.size(), 970u);
  EXPECT_EQ(lines.front().x0, 32);
  EXPECT_EQ(lines.back().x0, 1001);
  EXPECT_EQ(lines.back().x1, 1002);
  // Scrolled to the end, the lines before sample 991 end left of x 0.
  const auto end = LinesOf(DrawOscilloscope(rec.View(), ViewAt(992)), kYellow);
  ASSERT_EQ(end.size(), 64u);
  EXPECT_EQ(end.front().x0, -1);
  EXPECT_EQ(end.front().x1, 0);
}

TEST(OscTrace, MoreTimePerDivisionCompressesTheTraceAndMovesTheMarkerButNotTheReadout) {
  OwnedRecording rec;
  rec.header1[0] = 2;  // 2 ms a division now; taken at 1 ms
  const OscView view = ViewAt(32);
  EXPECT_DOUBLE_EQ(ScalesOf(rec.View(), view).Sx(), 0.5);
  // x(i) = (i - 32 - 32) / 2 + 64; halves go to the even neighbour.
  EXPECT_EQ(XOfSample(rec, view, 64), 64);
  EXPECT_EQ(XOfSample(rec, view, 66), 65);
  EXPECT_EQ(XOfSample(rec, view, 67), 66) << "65.5 rounds to 66";
  EXPECT_EQ(XOfSample(rec, view, 69), 66) << "66.5 rounds to 66";
  const OscPicture compressed = DrawOscilloscope(rec.View(), view);
  EXPECT_EQ(TriggerMarkerX(compressed), 48);

  OwnedRecording opening = rec;
  opening.header1[0] = 1;
  const OscPicture at_opening = DrawOscilloscope(opening.View(), view);
  EXPECT_EQ(TriggerMarkerX(at_opening), 32);
  EXPECT_EQ(TextsOf(compressed)[2].text, TextsOf(at_opening)[2].text);
  EXPECT_NE(TextsOf(DrawOscilloscope(rec.View(), ViewAt(64)))[2].text, TextsOf(compressed)[2].text);
}

TEST(OscTrace, LessTimePerDivisionStretchesTheTrace) {
  OwnedRecording rec;
  rec.header1[0] = 0;  // 0.5 ms a division, taken at 1 ms
  EXPECT_DOUBLE_EQ(ScalesOf(rec.View(), ViewAt(0)).Sx(), 2.0);
  EXPECT_EQ(XOfSample(rec, ViewAt(0), 40), 80);
}

TEST(OscTrace, SampleZeroLiesOnTheBottomLineAndLargeSamplesRunAboveTheTop) {
  OwnedRecording rec;
  rec.samples[1] = 255;
  const auto lines = LinesOf(DrawOscilloscope(rec.View(), ViewAt(0)), kYellow);
  EXPECT_EQ(lines[0].y0, 256);
  // Range 0: sy = 0.2 / 0.0012096774 = 165.33; 255 units lie 394.8 pixels up.
  EXPECT_EQ(lines[0].y1, -139);
  EXPECT_EQ(lines[2].y0, 256);
  // Range 1 (0.5 V, factor 2): 128 units at 256 - 128 * 256 / 206.67.
  rec.header1[6] = 1;
  rec.samples[1] = 128;
  EXPECT_EQ(LinesOf(DrawOscilloscope(rec.View(), ViewAt(0)), kYellow)[0].y1, 97);
}

TEST(OscGrid, DivisionsOf32PixelsAcrossTheWholeWidth) {
  OwnedRecording rec;
  const OscPicture p = DrawOscilloscope(rec.View(), ViewAt(0));
  ASSERT_FALSE(p.ops.empty());
  const auto* fill = std::get_if<FillOp>(&p.ops.front());
  ASSERT_NE(fill, nullptr);
  EXPECT_EQ(fill->colour, kBlack);
  EXPECT_EQ(fill->width, 1002);
  EXPECT_EQ(fill->height, 278);

  std::vector<int> rows, columns;
  for (const LineOp& l : LinesOf(p, kGrey)) {
    if (l.y0 == l.y1) {
      rows.push_back(l.y0);
      EXPECT_EQ(l.x0, 0);
      EXPECT_EQ(l.x1, l.y0 == 257 || l.y0 == -1 ? 1002 : 1001) << "row " << l.y0;
    } else {
      columns.push_back(l.x0);
      EXPECT_EQ(l.y0, 0);
      EXPECT_EQ(l.y1, 256);
    }
  }
  EXPECT_EQ(rows, (std::vector<int>{256, 224, 192, 160, 128, 96, 64, 32, 0, 257, -1}));
  ASSERT_EQ(columns.size(), 32u);  // 0, 32, ... 992
  EXPECT_EQ(columns.back(), 992);
}

TEST(OscMarkers, TheLevelArrowsPointInwardFromBothEdges) {
  OwnedRecording rec;
  rec.header1[6] = 1;  // 0.5 V a division
  // Part 1's level 2.5 V: L = 256 - 25 * 256 / 0.5 / 80 = 96.
  const auto lines = LinesOf(DrawOscilloscope(rec.View(), ViewAt(0)), kCyan);
  const std::vector<LineOp> expected = {
      {0, 96, 4, 96, kCyan},      {1001, 96, 997, 96, kCyan},  {0, 95, 3, 95, kCyan},
      {1001, 95, 998, 95, kCyan}, {0, 97, 3, 97, kCyan},       {1001, 97, 998, 97, kCyan},
      {0, 94, 2, 94, kCyan},      {1001, 94, 999, 94, kCyan},  {0, 98, 2, 98, kCyan},
      {1001, 98, 999, 98, kCyan}, {0, 93, 1, 93, kCyan},       {1001, 93, 1000, 93, kCyan},
      {0, 99, 1, 99, kCyan},      {1001, 99, 1000, 99, kCyan},
  };
  ASSERT_EQ(lines.size(), expected.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(std::tie(lines[i].x0, lines[i].y0, lines[i].x1, lines[i].y1),
              std::tie(expected[i].x0, expected[i].y0, expected[i].x1, expected[i].y1))
        << "line " << i;
  }
}

TEST(OscMarkers, TheTimeArrowStandsOnTheBottomLine) {
  OwnedRecording rec;
  const auto lines = LinesOf(DrawOscilloscope(rec.View(), ViewAt(0)), kMagenta);
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(std::tie(lines[0].x0, lines[0].y0, lines[0].x1, lines[0].y1),
            std::make_tuple(64, 256, 64, 252));
  EXPECT_EQ(std::tie(lines[5].x0, lines[5].y1), std::make_tuple(61, 255));
  EXPECT_EQ(std::tie(lines[6].x0, lines[6].y1), std::make_tuple(67, 255));
}

TEST(OscCaptions, ScalesOffsetAndLevelUnderTheGrid) {
  OwnedRecording rec;
  rec.header1[0] = 3;  // 5 ms a division
  rec.header1[6] = 1;
  OscView view = ViewAt(32, 3);
  view.decimal_separator = ',';
  const auto texts = TextsOf(DrawOscilloscope(rec.View(), view));
  ASSERT_EQ(texts.size(), 4u);
  const std::vector<std::pair<int, std::string>> expected = {
      {10, "0.5В/д"}, {100, "  5мс/д"}, {200, "50,0мс"}, {300, "2,5В"}};
  const Rgb colours[] = {kWhite, kWhite, kMagenta, kCyan};
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(texts[i].x, expected[i].first);
    EXPECT_EQ(texts[i].text, expected[i].second);
    EXPECT_EQ(texts[i].y, 258);
    EXPECT_EQ(texts[i].points, 10);
    EXPECT_EQ(texts[i].colour, colours[i]);
  }
}

TEST(OscCaptions, TheTimeReadoutIsTheTimeOfTheScrolledSamples) {
  // The readout is off x T0 x 312.5: at 1 ms a division (T0 = 1/1000) an
  // offset of 32 reads 10 ms, whatever scale is shown now.
  OwnedRecording rec;
  EXPECT_EQ(TextsOf(DrawOscilloscope(rec.View(), ViewAt(32)))[2].text, "10.0мс");
  EXPECT_EQ(TextsOf(DrawOscilloscope(rec.View(), ViewAt(-32)))[2].text, "-10.0мс");
  EXPECT_EQ(TextsOf(DrawOscilloscope(rec.View(), ViewAt(5)))[2].text, "1.6мс") << "1.5625";
  rec.header1[0] = 9;
  EXPECT_EQ(TextsOf(DrawOscilloscope(rec.View(), ViewAt(992, 9)))[2].text, "155000.0мс");
}

TEST(OscCaptions, DividerOneTimesTenTheVoltCaptionsAndTheLevel) {
  OwnedRecording rec;
  rec.header2[7] = 1;
  rec.SetLevels(25, 37);
  const char* captions[] = {"  2В/д", "  5В/д", " 10В/д"};
  for (int v = 0; v < 3; ++v) {
    rec.header1[6] = static_cast<std::uint8_t>(v);
    const auto texts = TextsOf(DrawOscilloscope(rec.View(), ViewAt(0)));
    EXPECT_EQ(texts[0].text, captions[v]);
    EXPECT_EQ(texts[3].text, "37.0В") << "part 2's level, ten times";
  }
  rec.header2[7] = 2;
  rec.header1[6] = 2;
  EXPECT_EQ(TextsOf(DrawOscilloscope(rec.View(), ViewAt(0)))[0].text, "100В/д");
  rec.header2[7] = 0;
  rec.header1[7] = 2;  // part 1's divider only selects the radio item
  EXPECT_EQ(TextsOf(DrawOscilloscope(rec.View(), ViewAt(0)))[0].text, "  1В/д");
}

TEST(OscCaptions, ANegativeLevelKeepsItsSign) {
  OwnedRecording rec;
  rec.SetLevels(-15, -15);
  EXPECT_EQ(TextsOf(DrawOscilloscope(rec.View(), ViewAt(0)))[3].text, "-1.5В");
}

struct BadHeader {
  const char* name;
  std::size_t header;  // 1 or 2
  std::size_t offset;
  std::uint8_t value;
};

class OscRangeErrors : public ::testing::TestWithParam<BadHeader> {};

TEST_P(OscRangeErrors, AnIndexOutOfItsTableIsARangeError) {
  OwnedRecording rec;
  const BadHeader& bad = GetParam();
  (bad.header == 1 ? rec.header1 : rec.header2)[bad.offset] = bad.value;
  EXPECT_THROW(DrawOscilloscope(rec.View(), ViewAt(0)), RangeError);
}

INSTANTIATE_TEST_SUITE_P(Headers, OscRangeErrors,
                         ::testing::Values(BadHeader{"TimeIndex10", 1, 0, 10},
                                           BadHeader{"TimeIndex255", 1, 0, 255},
                                           BadHeader{"RangeIndex3", 1, 6, 3},
                                           BadHeader{"RangeIndex4AsBeforeAnyRead", 1, 6, 4},
                                           BadHeader{"Part2Divider3", 2, 7, 3}),
                         [](const ::testing::TestParamInfo<BadHeader>& param) {
                           return std::string(param.param.name);
                         });

TEST(OscRangeErrors, TheOpeningScaleAndTheOffsetAreCheckedToo) {
  OwnedRecording rec;
  EXPECT_THROW(DrawOscilloscope(rec.View(), ViewAt(0, 10)), RangeError);
  EXPECT_THROW(DrawOscilloscope(rec.View(), ViewAt(-33)), RangeError);
  EXPECT_THROW(DrawOscilloscope(rec.View(), ViewAt(993)), RangeError);
  rec.header1[0] = 12;
  try {
    DrawOscilloscope(rec.View(), ViewAt(0));
    ADD_FAILURE() << "time index 12 drawn";
  } catch (const RangeError& e) {
    EXPECT_STREQ(e.what(), "Ошибка проверки диапазона: масштаб времени 12 вне 0…9.");
  }
}

TEST(OscRangeErrors, ThePart1DividerAndTheReservedBytesAreNotDrawn) {
  OwnedRecording rec;
  rec.header1[7] = 200;
  rec.header1[1] = rec.header1[2] = rec.header1[3] = 0xFF;
  EXPECT_NO_THROW(DrawOscilloscope(rec.View(), ViewAt(0)));
}

TEST(OscLinePixels, TheEndPixelIsNeverDrawn) {
  const auto pixels = [](LineOp line) {
    std::vector<std::pair<int, int>> out;
    ForEachLinePixel(line, [&](int x, int y) { out.emplace_back(x, y); });
    return out;
  };
  using P = std::vector<std::pair<int, int>>;
  EXPECT_EQ(pixels({0, 5, 4, 5, kGrey}), (P{{0, 5}, {1, 5}, {2, 5}, {3, 5}}));
  EXPECT_EQ(pixels({1001, 5, 997, 5, kGrey}), (P{{1001, 5}, {1000, 5}, {999, 5}, {998, 5}}));
  EXPECT_EQ(pixels({7, 256, 7, 253, kGrey}), (P{{7, 256}, {7, 255}, {7, 254}}));
  EXPECT_EQ(pixels({0, 0, 3, 3, kGrey}), (P{{0, 0}, {1, 1}, {2, 2}}));
  EXPECT_EQ(pixels({0, 0, 4, 2, kGrey}).size(), 4u);
  EXPECT_TRUE(pixels({3, 3, 3, 3, kGrey}).empty());
}

TEST(OscPointer, TheSampleUnderAPixelFollowsScrollAndScale) {
  OwnedRecording rec;
  const OscScales opening = ScalesOf(rec.View(), ViewAt(0));
  EXPECT_EQ(SampleAtX(opening, 0, 64), 32);
  EXPECT_EQ(SampleAtX(opening, 0, 32), 0);
  EXPECT_EQ(SampleAtX(opening, 0, 31), -1);
  EXPECT_EQ(SampleAtX(opening, 992, 63), 1023);
  EXPECT_EQ(SampleAtX(opening, 992, 64), -1);
  rec.header1[0] = 2;
  EXPECT_EQ(SampleAtX(ScalesOf(rec.View(), ViewAt(0)), 0, 80), 64);
}

}  // namespace
}  // namespace mk::scope
