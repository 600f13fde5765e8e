// SPDX-License-Identifier: GPL-3.0-or-later
// Days of plausible driving for the virtual MK: trips and refuellings written
// into its journals and totals as the MK itself would, so that the history
// can grow without a car.
#pragma once

#include <cstdint>
#include <span>

#include "history/local_time.h"

namespace mk::sim {

class Driver {
 public:
  /// Trips come from a fixed seed: the same days give the same journals.
  explicit Driver(std::uint32_t seed = 1) : state_(seed) {}

  /// Drives through the day of `day` (its time of day ignored), up to
  /// `until` on that day when given: one to three trips, and a refuelling
  /// after some 450 km. Writes the journals (slot 0 the latest, the oldest
  /// dropped) and adds to the totals of `memory`, the MK's whole memory.
  /// std::invalid_argument when the memory holds no directory for them.
  void DriveDay(std::span<std::uint8_t> memory, history::LocalMinutes day,
                history::LocalMinutes until = -1);

 private:
  std::uint32_t Next(std::uint32_t below);

  std::uint32_t state_;
  std::uint32_t since_refuel_s_ = 0;
  std::uint32_t since_refuel_m_ = 0;
  std::uint32_t since_refuel_ml_ = 0;
};

}  // namespace mk::sim
