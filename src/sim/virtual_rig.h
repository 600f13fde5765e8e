// SPDX-License-Identifier: GPL-3.0-or-later
// A virtual MK on a virtual line, ready for a test: one member per piece.
#pragma once

#include <cstdint>

#include "link/clock.h"
#include "sim/memory_port.h"
#include "sim/virtual_mk.h"

namespace mk::sim {

/// {clock, MK, ports} built together: the MK at `address` on COM `port`.
struct VirtualRig {
  explicit VirtualRig(std::uint8_t address = 253, int port = 3)
      : mk(address), ports(mk, clock, port) {}

  link::VirtualClock clock;
  VirtualMK mk;
  MemorySerialSystem ports;
};

}  // namespace mk::sim
