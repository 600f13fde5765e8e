// SPDX-License-Identifier: GPL-3.0-or-later
// The serial channel against the virtual MK on virtual time: the pieces that
// the device procedures will stand on, checked end to end.
#include <gtest/gtest.h>

#include <string>

#include "link/vl_rs.h"
#include "sim/virtual_rig.h"
#include "support/recording_prompt.h"
#include "text/error.h"

namespace mk::sim {
namespace {

class LinkOverMemoryPort : public ::testing::Test {
 protected:
  void Open() {
    rs.ScanPorts();
    rs.OpenPort(3);
    ASSERT_TRUE(rs.IsOpen());
  }
  std::uint16_t Identify(std::uint8_t address) {
    rs.Command(address, link::kIdentify);
    rs.GetByte();
    return rs.GetWord();
  }

  VirtualRig rig{253, 3};
  link::NoPump pump;
  tests::RecordingPrompt prompt;
  link::TVL_RS rs{rig.ports, rig.clock, pump, prompt};
};

TEST_F(LinkOverMemoryPort, IdentifiesThroughRetriesOfBadAnswers) {
  rig.mk.SetDeviceVersion(0x0203);
  Open();
  EXPECT_EQ(rig.ports.Events(3)[1], "SetBaud 115200");
  rig.mk.SetFaults(FaultPlan::EveryNth(2, FaultKind::kBadChecksum));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(Identify(253), 0x0203);
  EXPECT_EQ(rig.mk.RequestCount(kIdentify), 7u) << "answers 2, 4 and 6 were bad";
  EXPECT_EQ(rs.DetectAddress(), 253);
}

TEST_F(LinkOverMemoryPort, EachFaultEndsInItsOwnMessage) {
  Open();
  rs.SetResponseTimeout(100);
  struct Case {
    FaultKind kind;
    std::string message;
  };
  const Case cases[] = {
      {FaultKind::kSilence, link::kNoLink},
      {FaultKind::kShortFrame, link::kNoLink},
      {FaultKind::kTruncated, link::kByteDelay},
      {FaultKind::kBadChecksum, std::string(link::kExchangeError) + "(0)"},
      {FaultKind::kZeroHeader, std::string(link::kExchangeError) + "(4)"},
      {FaultKind::kBusy, link::kBusy},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(FaultName(c.kind));
    rig.mk.SetFaults(FaultPlan::Always(c.kind));
    try {
      Identify(253);
      ADD_FAILURE() << "no error";
    } catch (const mk::Error& e) {
      EXPECT_EQ(std::string(e.what()).find(c.message), 0u) << e.what();
    }
  }
  // Three silent attempts of 100 ms, each but the last followed by 100 ms of
  // quiet on the line.
  rig.mk.SetFaults(FaultPlan::Always(FaultKind::kSilence));
  const auto start = rig.clock.TickCount();
  EXPECT_THROW(Identify(253), mk::Error);
  EXPECT_NEAR(rig.clock.TickCount() - start, 500, 6);
}

// 8 + 38 bytes on the wire and a 0.2 ms turnaround: 4.6 ms a block, and the
// channel's 1 ms polling may add at most about a millisecond to each.
TEST_F(LinkOverMemoryPort, ReadingBlocksTakesTheirWireTime) {
  rig.ports.SetWireTiming(WireTiming::kBytes);
  Open();
  rig.clock.Advance(rs.ResponseTimeout());  // past the quiet a fresh port waits out first
  for (std::size_t i = 0; i < rig.mk.MemorySize(); ++i) {
    rig.mk.Memory()[i] = static_cast<std::uint8_t>(i / 32);
  }
  const auto start = rig.clock.TickCount();
  for (std::uint16_t k = 1; k <= 100; ++k) {
    rs.BeginCommand(253, link::kReadBlock);
    rs.PutWord(k);
    rs.Transact();
    for (int b = 0; b < 32; ++b) ASSERT_EQ(rs.GetByte(), static_cast<std::uint8_t>(k));
  }
  const auto elapsed = rig.clock.TickCount() - start;
  EXPECT_GE(elapsed, 460u);
  EXPECT_LE(elapsed, 600u);
}

}  // namespace
}  // namespace mk::sim
