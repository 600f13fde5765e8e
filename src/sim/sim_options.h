// SPDX-License-Identifier: GPL-3.0-or-later
// mk-sim's command line, parsed without touching the system so it can be tested.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/answer_schedule.h"
#include "sim/fault_plan.h"

namespace mk::sim {

struct SimOptions {
  std::uint8_t address = 253;
  std::size_t memory = 0;  ///< 0: the size that goes with the address
  std::uint16_t device_version = 1;
  std::string image;     ///< raw memory image to start from
  std::string save;      ///< where to write the memory on exit
  std::string settings;  ///< settings file (.vrnkp) to serve, its device version included
  WireTiming wire_timing = WireTiming::kOff;
  bool verbose = false;
  bool help = false;
  bool version = false;
  int drive_days = 0;  ///< days of driving, ending today, written into the journals at start
  FaultPlan faults;
  std::optional<std::uint16_t> ignored_region;  ///< region start whose bytes are never kept
};

/// Parses the arguments after the program name; throws std::invalid_argument
/// with a message fit for the user on anything it cannot take.
SimOptions ParseSimOptions(const std::vector<std::string>& args);

/// The --help text.
std::string SimUsage();

}  // namespace mk::sim
