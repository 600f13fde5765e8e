// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/memory_port.h"

#include <gtest/gtest.h>

#include "frames.h"
#include "sim/virtual_rig.h"

namespace mk::sim {
namespace {

using testing::Request;
using testing::Words;
using Bytes = std::vector<std::uint8_t>;

class MemoryPortTest : public ::testing::Test {
 protected:
  std::unique_ptr<link::IBytePort> OpenMK() {
    auto port = rig.ports.Open(3);
    EXPECT_NE(port, nullptr);
    return port;
  }
  static void Write(link::IBytePort& port, const Bytes& bytes) {
    ASSERT_EQ(port.Write(bytes.data(), bytes.size()), bytes.size());
  }
  static Bytes ReadAll(link::IBytePort& port) {
    Bytes out(300);
    out.resize(port.Read(out.data(), out.size()));
    return out;
  }

  VirtualRig rig;
};

TEST(WireTime, ElevenBitsAt115200) {
  EXPECT_EQ(WireTimeNs(1), 95486u);
  EXPECT_EQ(WireTimeNs(115200), 11'000'000'000u);
}

TEST_F(MemoryPortTest, WithoutWireTimingAnswersAreThereAtOnce) {
  auto port = OpenMK();
  Write(*port, Request(253, kIdentify));
  EXPECT_TRUE(port->WaitReadable(0));
  EXPECT_EQ(ReadAll(*port), (Bytes{9, 253, 1, 0, 0, 0, 1, 0, 248}));
  EXPECT_EQ(rig.clock.TickCount(), 0u);
}

// Identify: 6 request bytes, 0.2 ms turnaround, 9 answer bytes. Byte i of the
// answer is in after 6 x 95.486 us + 200 us + (i + 1) x 95.486 us.
TEST_F(MemoryPortTest, WireTimingPacesTheAnswer) {
  rig.ports.SetWireTiming(WireTiming::kBytes);
  auto port = OpenMK();
  Write(*port, Request(253, kIdentify));
  EXPECT_TRUE(ReadAll(*port).empty());
  rig.clock.Advance(1);  // 1000 us: bytes ending at 868 and 964 us are in
  EXPECT_EQ(ReadAll(*port), (Bytes{9, 253}));
  EXPECT_TRUE(ReadAll(*port).empty());
  rig.clock.Advance(1);  // the last byte ends at 1632 us
  EXPECT_EQ(ReadAll(*port).size(), 7u);
}

TEST_F(MemoryPortTest, WireTimingOfABlockAndWaitReadableStopsAtTheNextByte) {
  rig.ports.SetWireTiming(WireTiming::kBytes);
  auto port = OpenMK();
  Write(*port, Request(253, kReadBlock, Words({3})));
  // 8 request bytes and the turnaround end at 964 us; the first answer byte
  // is in at 1059 us, the last (38th) at 4592 us.
  EXPECT_TRUE(port->WaitReadable(100));
  EXPECT_EQ(rig.clock.TickCount(), 2u);
  rig.clock.Advance(2);
  EXPECT_EQ(ReadAll(*port).size(), 31u);
  rig.clock.Advance(1);
  EXPECT_EQ(ReadAll(*port).size(), 7u);
  EXPECT_FALSE(port->WaitReadable(50));
  EXPECT_EQ(rig.clock.TickCount(), 55u);
}

TEST_F(MemoryPortTest, LateAnswerArrivesAfterItsDelayAndPurgeKeepsBytesInFlight) {
  rig.mk.SetFaults(FaultPlan::NextAnswers(1, FaultKind::kLate, 30));
  auto port = OpenMK();
  Write(*port, Request(253, kIdentify));
  EXPECT_FALSE(port->WaitReadable(29));
  port->PurgeInput();  // nothing has arrived yet, so nothing is lost
  EXPECT_TRUE(port->WaitReadable(5));
  EXPECT_EQ(rig.clock.TickCount(), 30u);
  Write(*port, Request(253, kIdentify));
  EXPECT_EQ(ReadAll(*port).size(), 18u) << "the late answer, then the prompt one";
  Write(*port, Request(253, kIdentify));
  port->PurgeInput();
  EXPECT_TRUE(ReadAll(*port).empty());
}

TEST_F(MemoryPortTest, WrongLineSettingsReachNoMK) {
  auto port = OpenMK();
  EXPECT_EQ(port->SetBaud(9600), 9600u);
  Write(*port, Request(253, kIdentify));
  EXPECT_FALSE(port->WaitReadable(10));
  port->SetBaud(115200);
  port->SetStopBits(0);
  Write(*port, Request(253, kIdentify));
  EXPECT_FALSE(port->WaitReadable(10));
  port->SetStopBits(2);
  Write(*port, Request(253, kIdentify));
  EXPECT_TRUE(port->WaitReadable(10));
  EXPECT_EQ(rig.mk.RequestCount(kIdentify), 1u);
}

TEST_F(MemoryPortTest, RecordsLineCallsInOrder) {
  {
    auto port = OpenMK();
    port->SetRTS();
    port->PurgeInput();
    port->PurgeOutput();
    Write(*port, Request(253, kIdentify));
    port->ClearRTS();
    port->SetDTR();
    EXPECT_TRUE(rig.ports.IsOpen(3));
  }
  EXPECT_FALSE(rig.ports.IsOpen(3));
  EXPECT_EQ(rig.ports.Events(3),
            (std::vector<std::string>{"Open", "SetRTS", "PurgeInput", "PurgeOutput", "Write 6",
                                      "ClearRTS", "SetDTR", "Close"}));
}

TEST(MemorySerialSystem, PresentEmptyAbsentRefusedAndBusyPorts) {
  VirtualRig rig(253, 5);
  rig.ports.AddEmptyPort(1);
  for (int n : {0, 2, 33, -1}) EXPECT_FALSE(rig.ports.Probe(n)) << n;
  EXPECT_EQ(rig.ports.Open(2), nullptr);
  EXPECT_TRUE(rig.ports.Probe(1));
  EXPECT_TRUE(rig.ports.Probe(5));
  EXPECT_EQ(rig.ports.PortName(5), "COM5");

  auto empty = rig.ports.Open(1);
  ASSERT_NE(empty, nullptr);
  const Bytes identify = Request(253, kIdentify);
  empty->Write(identify.data(), identify.size());
  EXPECT_FALSE(empty->WaitReadable(100));
  EXPECT_EQ(rig.mk.RequestCount(kIdentify), 0u);

  auto mk = rig.ports.Open(5);
  ASSERT_NE(mk, nullptr);
  EXPECT_FALSE(rig.ports.Probe(5)) << "an open port is taken";
  EXPECT_EQ(rig.ports.Open(5), nullptr);
  mk.reset();
  EXPECT_EQ(rig.ports.OpenCount(5), 1u);

  rig.ports.SetRefuseOpen(true);
  EXPECT_TRUE(rig.ports.Probe(5));
  EXPECT_EQ(rig.ports.Open(5), nullptr);
  rig.ports.SetRefuseOpen(false);
  rig.ports.SetMkPort(0);
  EXPECT_FALSE(rig.ports.Probe(5));
}

}  // namespace
}  // namespace mk::sim

namespace mk::sim {
namespace {

TEST(AnswerScheduleBurst, ARunEndsAtItsLastByteOrAtAGapInTheQueue) {
  VirtualMK mk(253);
  AnswerSchedule schedule(&mk);
  schedule.SetWireTiming(WireTiming::kBytes);
  EXPECT_FALSE(schedule.BurstDue(16, 200'000).has_value()) << "nothing queued";

  // Identify: a 6-byte request, a 9-byte answer paced at the wire rate.
  schedule.Send(testing::Request(253, 1), 0);
  const std::uint64_t start = WireTimeNs(6) + kTurnaroundNs;  // the answer's first bit
  const std::uint64_t first = *schedule.NextDue();
  EXPECT_EQ(first, start + WireTimeNs(1));
  EXPECT_EQ(*schedule.BurstDue(4, 200'000), start + WireTimeNs(4));
  EXPECT_EQ(*schedule.BurstDue(16, 200'000), start + WireTimeNs(9)) << "the whole answer";
  EXPECT_EQ(*schedule.BurstDue(16, 1'000), first) << "bytes 95 us apart break a 1 us run";

  // Handing the run over at its due time gives every byte of it at once.
  std::uint8_t out[16];
  EXPECT_EQ(schedule.TakeDue(*schedule.BurstDue(16, 200'000), out, sizeof out), 9u);
  EXPECT_FALSE(schedule.NextDue().has_value());
}

// When a ReadBlock answer's 38 bytes reach the client under each timing: the
// request is heard when its 8 bytes are in; then a turnaround for bytes alone.
TEST(AnswerScheduleTimings, EachModelHandsTheAnswerOverAsItsPeerWould) {
  struct Case {
    WireTiming timing;
    std::vector<std::pair<std::uint64_t, std::size_t>> pieces;  // when, how many bytes
  };
  const std::uint64_t heard = WireTimeNs(8), end = heard + WireTimeNs(38);
  const Case cases[] = {
      {WireTiming::kOff, {{0, 38}}},
      {WireTiming::kWhole, {{end, 38}}},
      {WireTiming::kUsb,
       {{heard + 1'000'000, 10}, {heard + 2'000'000, 10}, {heard + 3'000'000, 11}, {end, 7}}},
      {WireTiming::kBytes, {{heard + kTurnaroundNs + WireTimeNs(1), 1}}},
  };
  for (const Case& c : cases) {
    VirtualMK mk(253);
    AnswerSchedule schedule(&mk);
    schedule.SetWireTiming(c.timing);
    schedule.Send(Request(253, 5, {1, 0}), 0);
    for (const auto& [at, count] : c.pieces) {
      std::uint8_t out[64];
      ASSERT_EQ(schedule.NextDue(), at) << static_cast<int>(c.timing);
      if (at > 0) {
        EXPECT_EQ(schedule.TakeDue(at - 1, out, sizeof out), 0u) << "not before its time";
      }
      EXPECT_EQ(schedule.TakeDue(at, out, sizeof out), count) << static_cast<int>(c.timing);
    }
  }
}

}  // namespace
}  // namespace mk::sim
