// SPDX-License-Identifier: GPL-3.0-or-later
// A history as the virtual MK's driving fills it (mk-sim --drive-days): its
// factory memory driven day by day and read every few days.
#pragma once

#include <cstdint>
#include <vector>

#include "device/mk.h"
#include "history/history_store.h"
#include "sim/driving.h"
#include "sim/factory_image.h"

namespace mk::tests {

/// The virtual MK's memory and its driver, days driven on demand.
struct DrivenMk {
  std::vector<std::uint8_t> memory = sim::FactoryMemory(8192);
  sim::Driver driver;

  void Drive(history::LocalMinutes first_day, int days) {
    for (int d = 0; d < days; ++d) driver.DriveDay(memory, first_day + 1440LL * d);
  }
  /// The model as a read of the memory gives it.
  device::TMK Read() const {
    device::TMK mk;
    mk.ReplaceImage(1, sim::ImageFromMemory(memory));
    return mk;
  }
};

/// `days` of driving from `first_day` on, read at the end of every `every`-th
/// day into `store` (the 21 slots of the journal never overflow between reads).
inline void FillDriven(history::HistoryStore& store, history::LocalMinutes first_day, int days,
                       int every = 5) {
  DrivenMk mk;
  for (int d = 0; d < days; d += every) {
    mk.Drive(first_day + 1440LL * d, every);
    store.Import(history::TakeSnapshot(mk.Read(), first_day + 1440LL * (d + every) - 1), {});
  }
}

}  // namespace mk::tests
