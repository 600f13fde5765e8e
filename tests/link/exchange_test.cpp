// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "link/fake_line.h"
#include "link/vl_rs.h"
#include "text/error.h"

namespace mk::link {
namespace {

using testing::Bytes;
using testing::CountingPump;
using testing::FakeLine;
using testing::FakePrompt;
using testing::FakeSerialSystem;
using testing::Frame;
using V = std::vector<std::string>;

const std::string kBadSum = std::string(kExchangeError) + "(0)";
const std::string kNoHeader = std::string(kExchangeError) + "(4)";

struct Exchange : ::testing::Test {
  // Opened a minute ago: the first request has no late answers to wait out.
  Exchange() {
    rs.OpenPort(1);
    clock.Advance(60'000);
  }

  /// The message of the error `f` raises, or "" when it raises none.
  template <typename F>
  std::string ErrorOf(F f) {
    try {
      f();
    } catch (const Error& e) {
      return e.what();
    }
    return {};
  }
  // A command whose answer may have any length.
  std::string Identify() {
    return ErrorOf([&] { rs.Command(253, kEndWrite); });
  }

  VirtualClock clock;
  CountingPump pump;
  FakePrompt prompt;
  FakeLine line{clock};
  FakeSerialSystem ports{line, {1}};
  TVL_RS rs{ports, clock, pump, prompt};
};

TEST_F(Exchange, CommandSendsTheFrameAndTheAnswerIsReadFromByteFive) {
  line.Reply(Frame(253, 0, {9, 0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(Identify(), "");
  ASSERT_EQ(line.writes.size(), 1u);
  EXPECT_EQ(line.writes[0], (Bytes{6, 253, 1, 0, 7, 245}));
  EXPECT_EQ(rs.AnswerPos(), 5);
  EXPECT_EQ(rs.GetByte(), 9);
  EXPECT_EQ(rs.GetWord(), 0x1234);  // bytes 6 and 7
  EXPECT_EQ(rs.GetWord(), 0xFFFE);
  EXPECT_EQ(rs.GetWord(), 0xFFFF);
  EXPECT_GT(pump.count, 0);
  // The receive buffer is purged, then the transmit buffer, then the frame goes.
  const V tail(line.events.end() - 3, line.events.end());
  EXPECT_EQ(tail, (V{"purge-in", "purge-out", "write 6"}));
}

TEST_F(Exchange, ShortLengthByteFailsAtOnceWithoutWaitingForMore) {
  line.Reply({{1, {5, 253, 1, 0}}});
  rs.BeginCommand(253, kEndWrite);
  const std::uint32_t start = clock.TickCount();
  EXPECT_EQ(ErrorOf([&] { rs.TransactOnce(); }), kNoLink);
  EXPECT_LE(clock.TickCount() - start, 2u);
}

TEST_F(Exchange, BadChecksumsAreRetriedThreeTimes) {
  Bytes bad = Frame(253, 0, {1, 2});
  bad.back() ^= 1;
  for (int i = 0; i < 3; ++i) line.Reply(bad);
  EXPECT_EQ(Identify(), kBadSum);
  EXPECT_EQ(line.writes.size(), 3u);
  // The request is not rebuilt between attempts.
  EXPECT_EQ(line.writes[0], line.writes[2]);

  line.Reply(bad);
  line.Reply(bad);
  line.Reply(Frame(253, 0, {1, 2}));
  EXPECT_EQ(Identify(), "");
  EXPECT_EQ(line.write_times[5] - line.write_times[4], 1u + 50u);
}

TEST_F(Exchange, NoDeviceFailsAfterThreeTimeOutsEachFollowedByAQuietAnswerTime) {
  rs.SetResponseTimeout(100);
  const std::uint32_t start = clock.TickCount();
  EXPECT_EQ(Identify(), kNoLink);
  const std::uint32_t spent = clock.TickCount() - start;
  // Between attempts the line stays quiet for the answer time (the 50 ms
  // pause included), so a late answer is not taken for the retry's.
  EXPECT_GE(spent, 3u * 100 + 2 * 100);
  EXPECT_LE(spent, 3u * 102 + 2 * 102);
  EXPECT_GE(line.write_times[1] - line.write_times[0], 200u);
  // Waiting blocks in slices of a few milliseconds; it does not spin.
  EXPECT_LE(line.reads, 5 * (100 / 5 + 2));
}

TEST_F(Exchange, ALateAnswerIsDroppedAndTheRetryGetsItsOwn) {
  rs.SetResponseTimeout(100);
  line.Reply({{150, Frame(253, 0, {1})}});  // 50 ms after the attempt gave up
  line.Reply({{70, Frame(253, 0, {2})}});
  EXPECT_EQ(Identify(), "");
  EXPECT_EQ(rs.GetByte(), 2);
  // Quiet for 100 ms after the late answer, then the retry.
  EXPECT_GE(line.write_times[1] - line.write_times[0], 250u);
  EXPECT_LE(line.write_times[1] - line.write_times[0], 255u);
}

TEST_F(Exchange, AfterARetryTheNextRequestWaitsUntilTheLateAnswersWouldHaveCome) {
  rs.SetResponseTimeout(100);
  line.Reply(std::vector<testing::Piece>{});  // lost, or on its way
  line.Reply(Frame(253, 0, {2}));
  EXPECT_EQ(Identify(), "");
  const std::uint32_t answered = clock.TickCount();
  const std::uint32_t apart = line.write_times[1] - line.write_times[0];
  line.Reply(Frame(253, 0, {3}));
  EXPECT_EQ(Identify(), "");
  EXPECT_EQ(rs.GetByte(), 3);
  EXPECT_GE(line.write_times[2] - answered, apart + 100);
  EXPECT_LE(line.write_times[2] - answered, apart + 102);

  // A clean answer settles the line: the request after it goes at once.
  line.Reply(Frame(253, 0, {4}));
  const std::uint32_t before = clock.TickCount();
  EXPECT_EQ(Identify(), "");
  EXPECT_EQ(line.write_times[3], before);
}

// Frames name no request, but Identify and ReadBlock answers have fixed
// lengths: another length is a late answer to something else, dropped with
// whatever follows it before the retry.
TEST_F(Exchange, AnAnswerOfTheWrongLengthIsALateOneAndTheRetryGetsItsOwn) {
  struct Case {
    std::uint8_t command;
    Bytes stale, own;
  };
  const Bytes page(32, 7);
  const Case cases[] = {{kIdentify, Frame(253, 0, page), Frame(253, 0, {0, 0x97, 0xB2})},
                        {kReadBlock, Frame(253, 0, {0, 0x97, 0xB2}), Frame(253, 0, page)},
                        {kIdentify, Frame(253, 0, {0, 1}), Frame(253, 0, {0, 2, 0})}};
  for (const Case& c : cases) {
    rs.SetResponseTimeout(100);
    line.Reply({{1, c.stale}, {30, Frame(253, 0, page)}});  // and our own, dropped too
    line.Reply(c.own);
    const auto sent = line.writes.size();
    EXPECT_EQ(ErrorOf([&] { rs.Command(253, c.command); }), "");
    EXPECT_EQ(rs.Answer()[0], c.own[0]);
    ASSERT_EQ(line.writes.size(), sent + 2);
    EXPECT_GE(line.write_times[sent + 1] - line.write_times[sent], 30u + 100u);
  }
  for (int i = 0; i < 3; ++i) line.Reply(Frame(253, 0, page));
  EXPECT_EQ(ErrorOf([&] { rs.Command(253, kIdentify); }),
            std::string(kExchangeError) + " Ответ длиной 38 байт не подходит к запросу (нужно 9).");
}

TEST_F(Exchange, AFreshlyOpenedPortIsQuietForAnAnswerTimeBeforeTheFirstRequest) {
  rs.ClosePort();
  rs.SetResponseTimeout(100);
  const std::uint32_t opened = clock.TickCount();
  rs.OpenPort(1);
  line.Reply(Frame(253, 0));
  EXPECT_EQ(Identify(), "");
  EXPECT_GE(line.write_times[0] - opened, 100u);
  EXPECT_LE(line.write_times[0] - opened, 102u);
  // The time spent after the opening counts; later requests go at once.
  rs.ClosePort();
  rs.OpenPort(1);
  clock.Advance(100);
  const std::uint32_t before = clock.TickCount();
  line.Reply(Frame(253, 0));
  EXPECT_EQ(Identify(), "");
  EXPECT_EQ(line.write_times[1], before);
}

TEST_F(Exchange, ARequestThePortCannotSendFailsWithoutWaitingForAnAnswer) {
  // An unplugged USB adapter refuses writes: nothing waits out the answer time.
  rs.SetResponseTimeout(2000);
  line.gone = true;
  const std::uint32_t start = clock.TickCount();
  EXPECT_EQ(Identify(), kNoLink);
  EXPECT_EQ(clock.TickCount() - start, 2u * 50);
  EXPECT_EQ(line.waits, 0);
}

TEST_F(Exchange, TheFirstByteMayTakeTheResponseTimePlusTheWireTime) {
  rs.SetResponseTimeout(100);
  rs.SetBaud(9600);  // 9600 / 9600 * RequestLength (5 after EndRequest): 5 ms more
  line.Reply({{105, Frame(253, 0)}});
  rs.BeginCommand(253, kEndWrite);
  EXPECT_EQ(ErrorOf([&] { rs.TransactOnce(); }), "");
  line.Reply({{107, Frame(253, 0)}});
  EXPECT_EQ(ErrorOf([&] { rs.TransactOnce(); }), kNoLink);
}

TEST_F(Exchange, AByteStallInsideTheFrameIsTheByteDelayError) {
  const Bytes f = Frame(253, 0, {1, 2, 3});
  const Bytes head(f.begin(), f.begin() + 4), rest(f.begin() + 4, f.end());
  line.Reply({{1, head}, {200, rest}});  // just within ByteTimeout
  rs.BeginCommand(253, kEndWrite);
  EXPECT_EQ(ErrorOf([&] { rs.TransactOnce(); }), "");
  line.Reply({{1, head}, {202, rest}});
  EXPECT_EQ(ErrorOf([&] { rs.TransactOnce(); }), kByteDelay);
  clock.Advance(10);        // the late rest arrives and is purged before the next request
  line.Reply({{1, head}});  // cut short for good
  EXPECT_EQ(ErrorOf([&] { rs.TransactOnce(); }), kByteDelay);
}

TEST_F(Exchange, ZeroHeaderAndBusyStatusAreRejected) {
  for (int i = 0; i < 3; ++i) line.Reply(Frame(0, 0, {}, 0));
  EXPECT_EQ(Identify(), kNoHeader);
  for (int i = 0; i < 3; ++i) line.Reply(Frame(253, 255));
  EXPECT_EQ(Identify(), kBusy);
  // Only the address and header all zero count; a zero address alone does not.
  line.Reply(Frame(0, 0, {}, 1));
  EXPECT_EQ(Identify(), "");
}

TEST_F(Exchange, WithoutAnOpenPortEveryStepRaisesTheNoLinkError) {
  rs.ClosePort();
  EXPECT_EQ(ErrorOf([&] { rs.Send(); }), kNoLink);
  EXPECT_EQ(ErrorOf([&] { rs.Receive(); }), kNoLink);
  EXPECT_EQ(Identify(), kNoLink);
  EXPECT_EQ(rs.DetectAddress(), -1);
}

TEST_F(Exchange, PortType1PausesButLeavesRtsAlone) {
  rs.SetPortType(1);
  line.Reply(Frame(253, 0));
  const std::uint32_t start = clock.TickCount();
  EXPECT_EQ(Identify(), "");
  EXPECT_EQ(line.write_times[0] - start, 20u);
  for (const std::string& e : line.events) EXPECT_EQ(e.find("rts"), std::string::npos);
  rs.SetPortType(3);
  EXPECT_EQ(rs.PortType(), 0);
}

struct RecordingBoost : IPriorityBoost {
  explicit RecordingBoost(FakeLine& l) : line(l) {}
  void Raise() override { line.events.push_back("raise"); }
  void Restore() override { line.events.push_back("restore"); }
  FakeLine& line;
};

TEST_F(Exchange, PortType2RaisesRtsForTheSendAndSwallowsTheEcho) {
  RecordingBoost boost(line);
  rs.SetPriorityBoost(&boost);
  rs.SetPortType(2);
  line.echo = true;
  line.Reply({{5, Frame(253, 0, {42})}});
  line.events.clear();
  EXPECT_EQ(Identify(), "");
  EXPECT_EQ(line.events,
            (V{"rts+", "raise", "purge-in", "purge-out", "write 6", "rts-", "restore"}));
  EXPECT_EQ(rs.GetByte(), 42);

  // No echo and no answer: the echo's failure is ignored, the line turned round anyway.
  line.echo = false;
  line.events.clear();
  rs.BeginCommand(253, kEndWrite);
  EXPECT_EQ(ErrorOf([&] { rs.TransactOnce(); }), kNoLink);
  EXPECT_EQ(line.events[5], "rts-");
  EXPECT_EQ(line.events[6], "restore");
}

TEST_F(Exchange, DetectAddressAsksFirstOnASharedLine) {
  line.Reply(Frame(254, 0));
  EXPECT_EQ(rs.DetectAddress(), 254);
  EXPECT_EQ(line.writes[0], (Bytes{6, 0, 0, 0, 0, 250}));
  EXPECT_TRUE(prompt.questions.empty());

  rs.SetPortType(2);
  prompt.yes = false;
  EXPECT_EQ(rs.DetectAddress(), -1);
  EXPECT_EQ(prompt.questions,
            V{"ТОЛЬКО ОДНО устройство, подключенное к СОМ-порту, должно быть включено. Это "
              "действительно так?"});
  EXPECT_EQ(line.writes.size(), 1u);
}

}  // namespace
}  // namespace mk::link
