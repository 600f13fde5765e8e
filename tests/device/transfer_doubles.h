// SPDX-License-Identifier: GPL-3.0-or-later
// Recording stand-ins for the progress window and the message boxes, and a
// virtual MK on a virtual line with the channel open on it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "link/progress.h"
#include "link/vl_rs.h"
#include "sim/factory_image.h"
#include "sim/virtual_rig.h"
#include "support/recording_prompt.h"

namespace mk::device::testing {

class RecordingProgress final : public link::IProgress {
 public:
  void SetLabel(const std::string& text) override { labels.push_back(text); }
  void SetGauge(int percent) override { gauge.push_back(percent); }
  void ShowGauge(bool visible) override { gauge_visible = visible; }
  void ShowCancel(bool visible) override { cancel_visible = visible; }
  /// Presses Cancel on the `cancel_after`-th question (0: never).
  bool Cancelled() override { return cancel_after != 0 && ++asked >= cancel_after; }

  std::vector<std::string> labels;
  std::vector<int> gauge;
  bool gauge_visible = false;
  bool cancel_visible = false;
  int cancel_after = 0;
  int asked = 0;
};

using tests::RecordingPrompt;

/// A factory-fresh virtual MK at `address` with the channel open on it.
struct Bench {
  explicit Bench(std::uint8_t address) : rig(address, 3) {
    rig.mk.LoadImage(sim::FactoryMemory(rig.mk.MemorySize()));
    rs.OpenPort(3);
  }

  std::size_t Writes() const {
    return rig.mk.RequestCount(sim::kBeginWrite) + rig.mk.RequestCount(sim::kWriteChunk) +
           rig.mk.RequestCount(sim::kEndWrite);
  }

  sim::VirtualRig rig;
  link::NoPump pump;
  RecordingPrompt prompt;
  RecordingProgress progress;
  link::TVL_RS rs{rig.ports, rig.clock, pump, prompt};
};

}  // namespace mk::device::testing
