// SPDX-License-Identifier: GPL-3.0-or-later
// One entry of the trip or refuelling journal laid out as the MK writes it,
// for the factory image and the driving virtual MK alike.
#pragma once

#include <cstdint>
#include <span>

namespace mk::sim {

struct JournalEntry {
  std::uint16_t minutes;  // the time of day it began, in minutes
  std::uint8_t day;
  std::uint8_t month;
  std::uint32_t seconds;
  std::uint32_t metres;
  std::uint32_t petrol_ml;
  std::uint32_t gas_ml;
};

/// Writes `entry` into its journal slot.
void PutJournalEntry(std::span<std::uint8_t> slot, const JournalEntry& entry);

}  // namespace mk::sim
