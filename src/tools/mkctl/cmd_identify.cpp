// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl identify: which MK answers on a port, its memory and device version.
#include <cstdio>

#include "link/clock.h"
#include "link/vl_rs.h"
#include "text/error.h"
#include "tools/mkctl/address_cache.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/identify_cycle.h"
#include "tools/mkctl/port_arg.h"

namespace mk::tools {

int CmdIdentify(const Args& args) {
  const std::uint32_t timeout = TimeoutMs(Option(args, "timeout", "10"));
  auto system = SerialSystemFromArgs(args);
  const int n = PortFromArgs(*system, args);

  link::SteadyClock clock;
  link::NoPump pump;
  StderrPrompt prompt;
  link::TVL_RS rs(*system, clock, pump, prompt);
  const auto log = ExchangeLogFromArgs(args, clock);
  rs.SetExchangeLog(log.get());
  OpenAtMkSpeed(rs, *system, n);
  const AddressCache cache;
  const device::Connection c = IdentifyWithin(rs, clock, timeout, cache.Get(system->PortName(n)));
  rs.ClosePort();
  cache.Put(system->PortName(n), c.DeviceAddress);
  std::printf("address %u\nmemory %u\ndevice-version %u\n", unsigned{c.DeviceAddress},
              unsigned{c.MemorySize}, unsigned{c.DeviceVersion});
  return 0;
}

}  // namespace mk::tools
