// SPDX-License-Identifier: GPL-3.0-or-later
// A byte port with no line to set up, for in-memory doubles: every line
// setting is taken and ignored, so a double says only how bytes move.
#pragma once

#include <cstdint>

#include "link/byte_port.h"

namespace mk::sim {

class BarePort : public link::IBytePort {
 public:
  std::uint32_t SetBaud(std::uint32_t rate) override { return rate; }
  void SetByteSize(std::uint8_t) override {}
  void SetParity(std::uint8_t) override {}
  void SetStopBits(std::uint8_t) override {}
  void SetDTR() override {}
  void SetRTS() override {}
  void ClearRTS() override {}
  void PurgeOutput() override {}
};

}  // namespace mk::sim
