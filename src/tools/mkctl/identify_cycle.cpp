#include "tools/mkctl/identify_cycle.h"

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

device::Connection IdentifyWithin(link::TVL_RS& rs, link::IClock& clock, std::uint32_t timeout_ms) {
  const std::uint32_t start = clock.TickCount();
  std::string last = link::kNoLink;
  for (;;) {
    for (const auto& c : kCandidates) {
      rs.ResponseTimeout = kConnectResponseMs;
      try {
        rs.Command(c.address, link::kIdentify);
        rs.GetByte();  // not used
        device::Connection found;
        found.DeviceAddress = c.address;
        found.MemorySize = c.memory;
        found.DeviceVersion = rs.GetWord();
        return found;
      } catch (const Error& e) {
        last = e.what();
      }
      if (clock.TickCount() - start >= timeout_ms) throw Error(last);
    }
  }
}

}  // namespace mk::tools
