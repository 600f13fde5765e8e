// SPDX-License-Identifier: GPL-3.0-or-later
// The trace as text (the saved file, the pointer readout) and the number
// formatting and rounding the picture relies on.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "recording_builder.h"
#include "scope/osc_scales.h"
#include "scope/osc_text.h"
#include "support/files.h"
#include "text/cp1251.h"
#include "text/error.h"

namespace mk::scope {
namespace {

using testing::OwnedRecording;
using testing::ViewAt;

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) {
      lines.push_back(text.substr(at) + "<no CR LF>");
      break;
    }
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

TEST(OscTraceText, AHeaderAndOneLinePerSampleWithTimeFromTheTriggerAndInputVolts) {
  OwnedRecording rec;
  rec.header1[0] = 3;  // taken at 5 ms a division: 0.15625 ms a sample
  rec.header1[6] = 1;  // 0.5 V a division, factor 2
  rec.samples[0] = 128;
  rec.samples[33] = 255;
  rec.header1[0] = 7;  // the time scale chosen later does not change the times
  const auto lines = Lines(TraceText(rec.View(), ViewAt(0, 3)));
  ASSERT_EQ(lines.size(), 1025u);
  EXPECT_EQ(lines[0], "Отсчёт\tВремя, мс\tНапряжение, В");
  // 128 units × 0.0012096774 × 8 × 2 = 2.47742 V.
  EXPECT_EQ(lines[1], "0\t-5\t2.4774");
  EXPECT_EQ(lines[2], "1\t-4.84375\t0.0000");
  EXPECT_EQ(lines[33], "32\t0\t0.0000");
  EXPECT_EQ(lines[34], "33\t0.15625\t4.9355");
  EXPECT_EQ(lines[1024], "1023\t154.84375\t0.0000");
}

TEST(OscTraceText, TheDividerOfPart2ScalesTheVoltsAndTheSeparatorIsTheCallers) {
  OwnedRecording rec;
  rec.header2[7] = 2;  // 1 : 100
  rec.samples[1] = 10;
  OscView view = ViewAt(0, 0);  // 0.5 ms a division: 1/64 ms a sample
  view.decimal_separator = ',';
  const auto lines = Lines(TraceText(rec.View(), view));
  EXPECT_EQ(lines[2], "1\t-0,484375\t9,6774");
}

TEST(OscTraceText, IndicesOutOfTheirTablesAreRangeErrors) {
  OwnedRecording rec;
  rec.header1[6] = 4;
  EXPECT_THROW(TraceText(rec.View(), ViewAt(0)), RangeError);
  rec.header1[6] = 0;
  rec.header2[7] = 3;
  EXPECT_THROW(TraceText(rec.View(), ViewAt(0)), RangeError);
  EXPECT_THROW(TraceText(OwnedRecording{}.View(), ViewAt(0, 10)), RangeError);
}

TEST(OscTraceText, SavedInWindows1251AndAFailureNamesTheFile) {
  tests::TempFolder dir("osc-text");
  OwnedRecording rec;
  const auto path = dir.path() / "trace.txt";
  SaveTraceText(path, rec.View(), ViewAt(0));
  const std::string bytes = tests::ReadText(path);
  EXPECT_EQ(bytes, text::Utf8ToCp1251(TraceText(rec.View(), ViewAt(0))));
  EXPECT_EQ(bytes.substr(0, 6), "\xCE\xF2\xF1\xF7\xB8\xF2");  // "Отсчёт"

  const auto missing = dir.path() / "нет" / "trace.txt";
  try {
    SaveTraceText(missing, rec.View(), ViewAt(0));
    ADD_FAILURE() << "saved into a missing folder";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("trace.txt"), std::string::npos) << e.what();
  }
}

TEST(OscPointerReadout, TheSampleUnderThePointerWithItsTimeAndVoltage) {
  OwnedRecording rec;
  rec.samples[32] = 100;
  EXPECT_EQ(PointerReadout(rec.View(), ViewAt(0), 64), "Отсчёт 32: 0 мс, 0.9677 В");
  EXPECT_EQ(PointerReadout(rec.View(), ViewAt(32), 64), "Отсчёт 64: 1 мс, 0.0000 В");
  EXPECT_EQ(PointerReadout(rec.View(), ViewAt(0), 10), "") << "left of sample 0";
  rec.header1[6] = 7;
  EXPECT_EQ(PointerReadout(rec.View(), ViewAt(0), 64), "") << "no scales, no readout";
}

TEST(OscNumbers, FixedPointRoundsHalvesAwayFromZero) {
  EXPECT_EQ(FormatFixed(1.25, 1, '.'), "1.3");
  EXPECT_EQ(FormatFixed(-1.25, 1, ','), "-1,3");
  EXPECT_EQ(FormatFixed(0.04, 1, '.'), "0.0");
  EXPECT_EQ(FormatFixed(-0.04, 1, '.'), "0.0");
  EXPECT_EQ(FormatFixed(15500, 1, '.'), "15500.0");
  EXPECT_EQ(FormatFixed(0.05, 4, '.'), "0.0500");
  EXPECT_EQ(FormatFixed(7, 0, '.'), "7");
}

TEST(OscNumbers, PixelsRoundHalvesToEven) {
  EXPECT_EQ(RoundHalfEven(64.5), 64);
  EXPECT_EQ(RoundHalfEven(65.5), 66);
  EXPECT_EQ(RoundHalfEven(-0.5), 0);
  EXPECT_EQ(RoundHalfEven(-1.5), -2);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_EQ(RoundHalfEven(1e12), 1000000000) << "held to a defined conversion";
}

}  // namespace
}  // namespace mk::scope
