// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/mkctl/identify_cycle.h"

#include <optional>
#include <string>

#include "text/error.h"

namespace mk::tools {
namespace {

struct Candidate {
  std::uint8_t address;
  std::uint32_t memory;
};

constexpr Candidate kCandidates[] = {{252, 8192}, {253, 8192}, {254, 32768}};
constexpr std::uint16_t kConnectResponseMs = 100;

}  // namespace

device::Connection IdentifyWithin(link::TVL_RS& rs, link::IClock& clock, std::uint32_t timeout_ms,
                                  std::uint8_t first_guess) {
  const std::uint32_t start = clock.TickCount();
  std::string last = link::kNoLink;
  const auto ask = [&](const Candidate& c, bool once) -> std::optional<device::Connection> {
    rs.SetResponseTimeout(kConnectResponseMs);
    try {
      rs.BeginCommand(c.address, link::kIdentify);
      once ? rs.TransactOnce() : rs.Transact();
      rs.GetByte();  // not used
      device::Connection found;
      found.DeviceAddress = c.address;
      found.MemorySize = c.memory;
      found.DeviceVersion = rs.GetWord();
      return found;
    } catch (const Error& e) {
      last = e.what();
      return std::nullopt;
    }
  };
  for (const auto& c : kCandidates) {
    if (c.address == first_guess) {
      if (auto found = ask(c, true)) return *found;
    }
  }
  for (;;) {
    for (const auto& c : kCandidates) {
      if (auto found = ask(c, false)) return *found;
      if (clock.TickCount() - start >= timeout_ms) throw Error(last);
    }
  }
}

}  // namespace mk::tools
