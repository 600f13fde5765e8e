// SPDX-License-Identifier: GPL-3.0-or-later
// The exchange log: what the channel tells it about each frame, and the lines
// it writes.
#include "link/exchange_log.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <filesystem>
#include <fstream>
#include <iterator>

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

struct Noted {
  std::uint32_t tick;
  FrameDirection direction;
  Bytes bytes;
  std::uint8_t command;
  std::string note;
};

class RecordingLog final : public IExchangeLog {
 public:
  void Frame(std::uint32_t tick, FrameDirection direction, std::span<const std::uint8_t> bytes,
             std::uint8_t command, std::string_view note) noexcept override {
    frames.push_back(
        {tick, direction, Bytes(bytes.begin(), bytes.end()), command, std::string(note)});
  }
  std::vector<Noted> frames;
};

struct LoggedChannel : ::testing::Test {
  LoggedChannel() {
    rs.OpenPort(1);
    rs.SetExchangeLog(&log);
  }
  VirtualClock clock;
  CountingPump pump;
  FakePrompt prompt;
  FakeLine line{clock};
  FakeSerialSystem ports{line, {1}};
  TVL_RS rs{ports, clock, pump, prompt};
  RecordingLog log;
};

TEST_F(LoggedChannel, NotesTheRequestAndTheAnswerWithTheRequestsCommand) {
  const Bytes answer = Frame(253, 0, {0, 1, 0});
  line.Reply(answer);
  rs.Command(253, kIdentify);
  ASSERT_EQ(log.frames.size(), 2u);
  EXPECT_EQ(log.frames[0].direction, FrameDirection::Sent);
  EXPECT_EQ(log.frames[0].bytes, (Bytes{6, 253, 1, 0, 1, 251}));
  EXPECT_EQ(log.frames[1].direction, FrameDirection::Received);
  EXPECT_EQ(log.frames[1].bytes, answer);
  EXPECT_EQ(log.frames[1].command, kIdentify);
  EXPECT_EQ(log.frames[1].note, "");
  EXPECT_GE(log.frames[1].tick, log.frames[0].tick);
}

TEST_F(LoggedChannel, NotesEveryAttemptAndWhatWasWrongWithItsAnswer) {
  Bytes bad = Frame(253, 0, {0, 1, 0});
  ++bad.back();
  line.Reply(bad);
  line.Reply(Bytes{9, 253});                        // stops after two bytes
  EXPECT_THROW(rs.Command(253, kIdentify), Error);  // the third attempt hears nothing
  ASSERT_EQ(log.frames.size(), 6u);
  EXPECT_EQ(log.frames[1].bytes, bad);
  EXPECT_EQ(log.frames[1].note, std::string(kExchangeError) + "(0)");
  EXPECT_EQ(log.frames[3].bytes, (Bytes{9, 253}));
  EXPECT_EQ(log.frames[3].note, kByteDelay);
  EXPECT_TRUE(log.frames[5].bytes.empty());
  EXPECT_EQ(log.frames[5].note, kNoLink);
}

TEST(ExchangeLogLines, ShowTimeDirectionHexAndCommand) {
  const Bytes request{6, 252, 1, 0, 5, 0xAB};
  EXPECT_EQ(FormatFrame(1000, 1234, FrameDirection::Sent, request, kReadBlock, ""),
            "     234 > 06 fc 01 00 05 ab  ReadBlock");
  EXPECT_EQ(FormatFrame(0, 7, FrameDirection::Received, {}, kBeginWrite, "нет ответа"),
            "       7 < -  BeginWrite: нет ответа");
  EXPECT_EQ(CommandName(0), "DetectAddress");
  EXPECT_EQ(CommandName(99), "команда 99");
}

TEST(ExchangeLogFileTest, WritesAHeadingAndALineAFrameAndAppendsWhenAsked) {
  const auto path = std::filesystem::path(::testing::TempDir()) / "exchange_log_test.log";
  std::filesystem::remove(path);
  const Bytes frame{6, 253, 1, 0, 1, 251};
  for (int run = 0; run < 2; ++run) {
    ExchangeLogFile log(path, true, 100, "run");
    ASSERT_TRUE(log.Ok());
    log.Frame(150, FrameDirection::Sent, frame, kIdentify, "");
  }
  std::ifstream in(path);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text,
            "# run\n      50 > 06 fd 01 00 01 fb  Identify\n"
            "# run\n      50 > 06 fd 01 00 01 fb  Identify\n");
  std::filesystem::remove(path);
}

TEST(ExchangeLogFileTest, ThatCannotBeOpenedSaysWhyAndTakesFramesQuietly) {
  ExchangeLogFile log("/nonexistent-folder/x.log", false, 0, "t");
  EXPECT_FALSE(log.Ok());
  EXPECT_EQ(log.Problem(), "нет такой папки");
  log.Frame(1, FrameDirection::Sent, Bytes{1, 2}, kIdentify, "");
}

TEST(ExchangeLogFileTest, ThatRunsOutOfSpaceSaysSo) {
  // A file-size limit stands in for a full disk.
  const auto path = std::filesystem::path(::testing::TempDir()) / "exchange_log_full.log";
  std::filesystem::remove(path);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  ExchangeLogFile log(path, false, 0, "t");
  EXPECT_TRUE(log.Ok());
  for (int i = 0; i < 10; ++i) log.Frame(1, FrameDirection::Sent, Bytes(20, 7), kIdentify, "");
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, previous);
  EXPECT_FALSE(log.Ok());
  EXPECT_EQ(log.Problem(), "нет места на диске");
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace mk::link
