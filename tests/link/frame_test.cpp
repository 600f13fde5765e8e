// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

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
  rs.PutByte(0xFE);
  rs.EndRequest();
  const Bytes expected{9, 252, 1, 0, 4, 0xCD, 0xAB, 0xFE};
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), rs.Request().begin()));
  EXPECT_EQ(rs.RequestLength(), 8u);
  std::uint8_t sum = 0;
  for (std::size_t i = 0; i < 9; ++i) sum = static_cast<std::uint8_t>(sum + rs.Request()[i]);
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
  EXPECT_EQ(rs.GetByte(), 0x11);
  EXPECT_EQ(rs.GetWord(), 0x3322);
  EXPECT_EQ(rs.AnswerPos(), 8);
  EXPECT_EQ(rs.GetWord(), 0);
  EXPECT_EQ(rs.GetWord(), 0xBF80);

  TVL_RS::Frame ones;
  ones.fill(0xFF);
  rs.PlaceAnswer(ones);
  rs.SeekAnswer(255);
  EXPECT_EQ(rs.GetWord(), 0xFF);  // one byte left, then zeros
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

TEST_F(Frames, AWordIsPutOnlyWhenItFitsWhollyBeforeTheChecksum) {
  // Ending at index 254 fits; one byte later does not, and nothing of it is written.
  for (const std::uint32_t start : {253u, 254u}) {
    rs.BeginRequest();
    while (rs.RequestLength() < start) rs.PutByte(0);
    if (start == 253) {
      rs.PutWord(0xABCD);
      EXPECT_EQ(rs.RequestLength(), 255u);
    } else {
      EXPECT_THROW(rs.PutWord(0xABCD), RangeError);
      EXPECT_EQ(rs.RequestLength(), start);
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
