// SPDX-License-Identifier: GPL-3.0-or-later
// Answers that come after their attempt gave up: against the virtual MK on
// virtual time, a read or a write either ends with the link's message or has
// every page in its place, and no request is ever answered by another's answer.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/transfer.h"
#include "device/transfer_doubles.h"
#include "sim/factory_image.h"
#include "text/error.h"

namespace mk::device {
namespace {

using testing::RecordingProgress;
using testing::RecordingPrompt;
using FaultKind = sim::FaultKind;

// Answers of the virtual MK per transfer: one Identify, then 254 blocks of an
// 8 KB memory.
constexpr std::uint32_t kReadAnswers = 1 + 254;

// The channel, watched: after each transaction it checks that the answer it
// took was sent for this very request (any attempt of it), not for another.
class WatchedRS final : public link::TVL_RS {
 public:
  using link::TVL_RS::TVL_RS;

  void Send() override {
    const std::size_t n = Request()[0] == 0 ? 256 : Request()[0];
    sent_.emplace_back(Request().begin(), Request().begin() + static_cast<std::ptrdiff_t>(n));
    link::TVL_RS::Send();
  }
  void Transact() override {
    link::TVL_RS::Transact();
    const auto& port = dynamic_cast<const sim::MemoryPort&>(*OpenedPort());
    const std::uint64_t answers = port.LastReadAnswers();
    if (answers == 0 || answers > sent_.size() || sent_[answers - 1] != sent_.back()) {
      ++stale_taken;
    }
  }

  int stale_taken = 0;

 private:
  std::vector<std::vector<std::uint8_t>> sent_;
};

struct LateCase {
  std::uint32_t late_ms;
  bool wire_timing;
  bool once;  // one late answer, or every answer from then on
};

std::string CaseName(const ::testing::TestParamInfo<LateCase>& info) {
  return std::to_string(info.param.late_ms) + "ms" + (info.param.wire_timing ? "_wire" : "") +
         (info.param.once ? "_once" : "_always");
}

class LateAnswers : public ::testing::TestWithParam<LateCase> {
 protected:
  LateAnswers() {
    rig.ports.SetWireTiming(GetParam().wire_timing ? sim::WireTiming::kBytes
                                                   : sim::WireTiming::kOff);
    rig.mk.LoadImage(sim::FactoryMemory(rig.mk.MemorySize()));
    rs.OpenPort(3);
  }
  void LateFrom(std::uint32_t after) {
    sim::FaultPlan plan = sim::FaultPlan::Always(FaultKind::kLate, GetParam().late_ms);
    plan.after = after;
    if (GetParam().once) plan.count = 1;
    rig.mk.SetFaults(plan);
  }
  // The link's message, or "" when the transfer went through.
  std::string Run(const std::function<void()>& transfer) {
    try {
      transfer();
    } catch (const Error& e) {
      return e.what();
    }
    return "";
  }

  sim::VirtualRig rig{253, 3};
  link::NoPump pump;
  RecordingPrompt prompt;
  RecordingProgress progress;
  WatchedRS rs{rig.ports, rig.clock, pump, prompt};
};

TEST_P(LateAnswers, InTheReadEndWithTheLinksMessageOrEveryPageInItsPlace) {
  // Every page different, so a page in the wrong place shows.
  auto memory = rig.mk.Memory();
  for (std::size_t p = 0; p < memory.size() / 32; ++p) memory[p * 32 + 31] ^= p & 0xFF;
  LateFrom(60);  // Identify, then 59 blocks
  TMK mk;
  const std::string error = Run([&] { ReadSettings(rs, mk, progress, pump); });

  EXPECT_EQ(rs.stale_taken, 0);
  if (error.empty()) {
    EXPECT_EQ(mk.Image(), sim::ImageFromMemory(rig.mk.Memory()));
  } else {
    EXPECT_EQ(error, link::kNoLink);
    EXPECT_TRUE(mk.Image().empty()) << "a broken read leaves the model alone";
  }
}

TEST_P(LateAnswers, InTheWriteEndWithTheLinksMessageOrEveryBlockWritten) {
  TMK mk;
  mk.ReplaceImage(1, sim::ImageFromMemory(rig.mk.Memory()));
  mk.Rec(BlockId::Limits).SetInt("VelocityLimit", 55);
  mk.StoreAll();
  LateFrom(kReadAnswers + 20);  // into the chunks of the first blocks
  const std::string error = Run([&] { WriteSettings(rs, mk, progress, pump, prompt); });

  EXPECT_EQ(rs.stale_taken, 0) << "a write confirmed by another request's answer";
  if (error.empty()) {
    EXPECT_EQ(prompt.infos, std::vector<std::string>{"Настройки записаны в МК"});
    EXPECT_EQ(sim::ImageFromMemory(rig.mk.Memory()), mk.Image());
    EXPECT_TRUE(rig.mk.Violations().empty()) << rig.mk.Violations().front();
  } else {
    // The link's text, then what the half-written MK now holds.
    EXPECT_EQ(error.substr(0, error.find('\n')), link::kNoLink);
    EXPECT_TRUE(prompt.infos.empty());
  }
}

// Around the answer times of the read (100 ms) and the write (2000 ms) and
// their multiples, where an unguarded retry lines up with a late answer.
std::vector<LateCase> Cases() {
  std::vector<LateCase> cases;
  for (bool wire : {false, true}) {
    for (bool once : {false, true}) {
      for (std::uint32_t late :
           {150, 210, 250, 300, 350, 450, 700, 1500, 2500, 3000, 4500, 5000, 9000, 12000}) {
        cases.push_back({late, wire, once});
      }
    }
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Sweep, LateAnswers, ::testing::ValuesIn(Cases()), CaseName);

}  // namespace
}  // namespace mk::device
