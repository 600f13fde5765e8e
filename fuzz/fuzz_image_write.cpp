// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as the block directory of the MK's memory (and of the
// settings being written): the write must either refuse (an error or a failed
// version check) before sending anything or write exactly the regions the
// directory names inside the first half, whole and in order, and touch no
// other byte of the MK's memory.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "device/transfer.h"
#include "device/transfer_plan.h"
#include "link/vl_rs.h"
#include "sim/factory_image.h"
#include "sim/virtual_rig.h"
#include "text/error.h"

namespace {

class Silent final : public mk::link::IUserPrompt, public mk::link::IProgress {
 public:
  void ShowError(const std::string&) override {}
  void ShowInfo(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  void SetLabel(const std::string&) override {}
  void SetGauge(int) override {}
  void ShowGauge(bool) override {}
  void ShowCancel(bool) override {}
  bool Cancelled() override { return false; }
};

const std::vector<std::uint8_t>& Factory() {
  static const std::vector<std::uint8_t> memory = mk::sim::FactoryMemory(8192);
  return memory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace mk;
  std::vector<std::uint8_t> memory = Factory();
  std::copy_n(data, std::min<std::size_t>(size, 256), memory.begin() + 32);

  sim::VirtualRig rig(252);
  rig.mk.LoadImage(memory);
  link::NoPump pump;
  Silent ui;
  link::TVL_RS rs(rig.ports, rig.clock, pump, ui);
  rs.OpenPort(3);

  // A new model builds every catalogue; a copy of one built once is the same
  // model at a fraction of the cost, which buys the fuzzer more runs.
  static const device::TMK pristine;
  device::TMK model = pristine;
  try {
    model.ReplaceImage(1, sim::ImageFromMemory(memory));
  } catch (const Error&) {
    return 0;
  }
  const auto writes = [&] {
    return rig.mk.RequestCount(sim::kBeginWrite) + rig.mk.RequestCount(sim::kWriteChunk) +
           rig.mk.RequestCount(sim::kEndWrite);
  };
  device::TransferResult result;
  try {
    result = device::WriteSettings(rs, model, ui, pump, ui);
  } catch (const Error&) {
    if (writes() != 0) std::abort();  // refused, but only after writing some
    return 0;
  }
  // Records stored over the directory can change its firmware version: the
  // write is then refused by the firmware check, which must come before any write.
  if (result == device::TransferResult::Refused) {
    if (writes() != 0) std::abort();
    return 0;
  }
  if (result != device::TransferResult::Done || !rig.mk.Violations().empty()) std::abort();

  const auto regions = device::PlanRegions(model.Directory(), model.Image().size(), 8192);
  std::vector<bool> named(8192, false);
  for (const auto& r : regions) {
    std::fill_n(named.begin() + r.address, r.bytes, true);
    if (!std::equal(model.Image().begin() + static_cast<std::ptrdiff_t>(r.position),
                    model.Image().begin() + static_cast<std::ptrdiff_t>(r.position + r.bytes),
                    rig.mk.Memory().begin() + r.address)) {
      std::abort();
    }
  }
  for (std::size_t a = 0; a < 8192; ++a) {
    if (!named[a] && rig.mk.Memory()[a] != memory[a]) std::abort();
  }
  return 0;
}
