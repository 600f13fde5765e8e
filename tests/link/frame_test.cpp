// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <functional>

#include "link/fake_line.h"
#include "link/vl_rs.h"
#include "text/error.h"

namespace mk::link {
namespace {

using testing::Bytes;
using testing::FakeLine;
using testing::FakePrompt;
using testing::FakeSerialSystem;

struct Frames : ::testing::Test {
  void SetAnswer(const Bytes& bytes, std::int32_t pos = 5) {
    TVL_RS::Frame frame;
    frame.fill(0xEE);
    std::copy(bytes.begin(), bytes.end(), frame.begin());
    rs.PlaceAnswer(frame);
    rs.SeekAnswer(pos);
  }

  VirtualClock clock;
  NoPump pump;
  FakePrompt prompt;
  FakeLine line{clock};
  FakeSerialSystem ports{line, {1}};
  TVL_RS rs{ports, clock, pump, prompt};
};

TEST_F(Frames, WritersLayOutLittleEndianValuesAndTheChecksum) {
  rs.BeginCommand(252, kWriteChunk);
  rs.PutWord(0xABCD);
  rs.PutLong(-2);
  rs.PutSingle(1.0f);
  rs.EndRequest();
  const Bytes expected{16, 252, 1, 0, 4, 0xCD, 0xAB, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0x80, 0x3F};
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), rs.Request().begin()));
  EXPECT_EQ(rs.RequestLength(), 15u);
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < 16; ++i) sum = static_cast<std::uint8_t>(sum + rs.Request()[i]);
  EXPECT_EQ(sum, 0);
}

TEST_F(Frames, ALongestRequestIs256BytesWithLengthZeroAndNoByteMoreFits) {
  rs.OpenPort(1);
  rs.BeginRequest();
  for (int i = 1; i < 255; ++i) rs.PutByte(static_cast<std::uint8_t>(i));
  EXPECT_THROW(rs.PutByte(0), RangeError);
  rs.EndRequest();
  EXPECT_EQ(rs.Request()[0], 0);
  rs.Send();
  ASSERT_EQ(line.writes.size(), 1u);
  EXPECT_EQ(line.writes[0].size(), 256u);
}

TEST_F(Frames, ReadersFollowEachOtherAndStopAtTheEndOfTheBuffer) {
  SetAnswer({12, 253, 1, 0, 0, 0x11, 0x22, 0x33, 0x00, 0x00, 0x80, 0xBF});
  EXPECT_EQ(rs.GetStatusByte(), 0x11);
  EXPECT_EQ(rs.GetWord(), 0x3322);
  EXPECT_EQ(rs.AnswerPos(), 8);
  EXPECT_EQ(rs.GetSingle(), -1.0f);

  TVL_RS::Frame ones;
  ones.fill(0xFF);
  rs.PlaceAnswer(ones);
  rs.SeekAnswer(254);
  EXPECT_EQ(rs.GetLong(), 0xFFFF);  // two bytes left, then zeros
  EXPECT_EQ(rs.AnswerPos(), 256);
  for (int i = 0; i < 1000; ++i) EXPECT_EQ(rs.GetWord(), 0);
  EXPECT_EQ(rs.AnswerPos(), 256);
  rs.SeekAnswer(-2);
  EXPECT_EQ(rs.GetWord(), 0);
  EXPECT_EQ(rs.GetByte(), 0xFF);
}

TEST_F(Frames, StringsAreWindows1251UpToTheZeroWhichIsConsumed) {
  SetAnswer({0, 0, 0, 0, 0, 0xCC, 0xCA, '-', '1', 0, 'x', 0});
  EXPECT_EQ(rs.GetString(), "МК-1");
  EXPECT_EQ(rs.AnswerPos(), 10);
  EXPECT_EQ(rs.GetString(), "x");
  TVL_RS::Frame letters;
  letters.fill('A');
  rs.PlaceAnswer(letters);
  rs.SeekAnswer(250);  // unterminated: the buffer's end ends it
  EXPECT_EQ(rs.GetString(), "AAAAAA");
  EXPECT_EQ(rs.GetString(), "");
}

TEST_F(Frames, AWordOrLongIsPutOnlyWhenItFitsWhollyBeforeTheChecksum) {
  struct Case {
    const char* name;
    std::uint32_t width;
    std::function<void(TVL_RS&)> put;
  };
  const Case cases[] = {{"word", 2, [](TVL_RS& r) { r.PutWord(0xABCD); }},
                        {"long", 4, [](TVL_RS& r) { r.PutLong(-2); }},
                        {"single", 4, [](TVL_RS& r) { r.PutSingle(1.0f); }}};
  for (const Case& c : cases) {
    // Ending at index 254 fits; one byte later does not, and nothing of it is written.
    for (const std::uint32_t start : {255 - c.width, 256 - c.width}) {
      rs.BeginRequest();
      while (rs.RequestLength() < start) rs.PutByte(0);
      if (start + c.width <= 255) {
        c.put(rs);
        EXPECT_EQ(rs.RequestLength(), 255u) << c.name;
      } else {
        EXPECT_THROW(c.put(rs), RangeError) << c.name;
        EXPECT_EQ(rs.RequestLength(), start) << c.name;
      }
    }
  }
}

TEST_F(Frames, AnAnswerIsValidOnlyWithAHeaderAndAMatchingSum) {
  SetAnswer(testing::Frame(253, 0, {7}));
  EXPECT_TRUE(rs.AnswerValid());
  Bytes wrong_sum = testing::Frame(253, 0, {7});
  wrong_sum[5] = 8;
  SetAnswer(wrong_sum);
  EXPECT_FALSE(rs.AnswerValid());
  SetAnswer({0});  // sums to 0 over no bytes, still no frame
  EXPECT_FALSE(rs.AnswerValid());
  SetAnswer({5, 0, 0, 0, 0xFB});
  EXPECT_FALSE(rs.AnswerValid());
}

}  // namespace
}  // namespace mk::link
