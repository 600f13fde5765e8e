// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <stdexcept>

#include "frames.h"
#include "sim/fault_plan.h"
#include "sim/virtual_mk.h"

namespace mk::sim {
namespace {

using testing::Request;
using testing::Sealed;
using testing::SumsToZero;
using testing::Words;
using Bytes = std::vector<std::uint8_t>;

const Bytes kIdentifyAnswer{9, 253, 1, 0, 0, 0, 1, 0, 248};

std::vector<Reply> Identify(VirtualMK& mk) {
  return mk.Receive(Request(253, kIdentify));
}

TEST(Faults, EachKindShapesTheAnswer) {
  VirtualMK mk;
  struct Case {
    Fault fault;
    Bytes expected;
    std::uint32_t delay_ms;
  };
  const Case cases[] = {
      {{FaultKind::kLate, 0}, kIdentifyAnswer, 3000},
      {{FaultKind::kLate, 150}, kIdentifyAnswer, 150},
      {{FaultKind::kBadChecksum, 0}, {9, 253, 1, 0, 0, 0, 1, 0, 249}, 0},
      {{FaultKind::kShortFrame, 0}, {3, 253, 1}, 0},
      {{FaultKind::kShortFrame, 5}, {5, 253, 1, 0, 0}, 0},
      {{FaultKind::kTruncated, 0}, {9, 253, 1, 0}, 0},
      {{FaultKind::kTruncated, 8}, {9, 253, 1, 0, 0, 0, 1, 0}, 0},
      {{FaultKind::kTruncated, 50}, kIdentifyAnswer, 0},
      {{FaultKind::kBusy, 0}, Sealed({6, 253, 1, 0, 255, 0}), 0},
      {{FaultKind::kZeroHeader, 0}, Sealed({9, 0, 0, 0, 0, 0, 1, 0, 0}), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(FaultName(c.fault.kind) + ":" + std::to_string(c.fault.arg));
    mk.SetFaults(FaultPlan::Always(c.fault.kind, c.fault.arg));
    auto replies = Identify(mk);
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes, c.expected);
    EXPECT_EQ(replies[0].delay_ms, c.delay_ms);
  }
  mk.SetFaults(FaultPlan::Always(FaultKind::kSilence));
  EXPECT_TRUE(Identify(mk).empty());
  EXPECT_EQ(mk.RequestCount(kIdentify), 11u) << "a silent MK still hears";
}

TEST(Faults, CombinedFaultsApplyTogether) {
  VirtualMK mk;
  FaultPlan plan;
  plan.Add(FaultKind::kBusy).Add(FaultKind::kBadChecksum).Add(FaultKind::kLate, 20);
  mk.SetFaults(plan);
  auto replies = Identify(mk);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].bytes[4], kStatusBusy);
  EXPECT_FALSE(SumsToZero(replies[0].bytes));
  EXPECT_EQ(replies[0].delay_ms, 20u);
}

// Busy refuses the request; the other faults garble an answer to a request done.
TEST(Faults, BusyRefusesOthersStillCarryOut) {
  VirtualMK mk;
  mk.SetFaults(FaultPlan::Always(FaultKind::kBusy));
  mk.Receive(Request(253, kBeginWrite, Words({0, 1})));
  EXPECT_FALSE(mk.RegionOpen());
  mk.SetFaults(FaultPlan::Always(FaultKind::kSilence));
  mk.Receive(Request(253, kBeginWrite, Words({0, 1})));
  EXPECT_TRUE(mk.RegionOpen());
}

// Which of the answers 1..12 a plan faults.
std::string Pattern(const FaultPlan& plan) {
  VirtualMK mk;
  mk.SetFaults(plan);
  std::string out;
  for (int i = 0; i < 12; ++i) out += Identify(mk).empty() ? 'x' : '.';
  return out;
}

TEST(FaultTriggers, AlwaysNextMEveryNthAndBoth) {
  EXPECT_EQ(Pattern({}), "............");
  EXPECT_EQ(Pattern(FaultPlan::Always(FaultKind::kSilence)), "xxxxxxxxxxxx");
  EXPECT_EQ(Pattern(FaultPlan::NextAnswers(2, FaultKind::kSilence)), "xx..........");
  EXPECT_EQ(Pattern(FaultPlan::EveryNth(7, FaultKind::kSilence)), "......x.....");
  EXPECT_EQ(Pattern(FaultPlan::EveryNth(1, FaultKind::kSilence)), "xxxxxxxxxxxx");
  FaultPlan both = FaultPlan::EveryNth(3, FaultKind::kSilence);
  both.count = 2;
  EXPECT_EQ(Pattern(both), "..x..x......");
  FaultPlan later = FaultPlan::Always(FaultKind::kSilence);
  later.after = 10;
  EXPECT_EQ(Pattern(later), "..........xx");
  later.every = 2;
  EXPECT_EQ(Pattern(later), "...........x");
}

TEST(FaultTriggers, IgnoredFramesAreNotAnswersAndANewPlanStartsOver) {
  VirtualMK mk;
  mk.SetFaults(FaultPlan::EveryNth(2, FaultKind::kSilence));
  EXPECT_EQ(Identify(mk).size(), 1u);
  mk.Receive(Request(252, kIdentify));  // someone else's
  EXPECT_TRUE(Identify(mk).empty());
  EXPECT_EQ(Identify(mk).size(), 1u);
  mk.SetFaults(FaultPlan::EveryNth(2, FaultKind::kSilence));
  EXPECT_EQ(Identify(mk).size(), 1u);
  EXPECT_TRUE(Identify(mk).empty());
}

TEST(FaultParsing, NamesArgumentsAndMistakes) {
  EXPECT_EQ(ParseFault("silence").kind, FaultKind::kSilence);
  EXPECT_EQ(ParseFault("late:500").arg, 500u);
  EXPECT_EQ(ParseFault("stall:2").kind, FaultKind::kTruncated);
  EXPECT_EQ(ParseFault("short-frame:5").arg, 5u);
  for (auto kind :
       {FaultKind::kSilence, FaultKind::kLate, FaultKind::kBadChecksum, FaultKind::kShortFrame,
        FaultKind::kTruncated, FaultKind::kBusy, FaultKind::kZeroHeader}) {
    EXPECT_EQ(ParseFault(FaultName(kind)).kind, kind);
  }
  for (const char* bad : {"", "loud", "late:", "late:x", "late:-1", "late:5ms", "short-frame:6",
                          "short-frame:0", "truncated:0", "late:99999999999"}) {
    EXPECT_THROW(ParseFault(bad), std::invalid_argument) << bad;
  }
}

}  // namespace
}  // namespace mk::sim
