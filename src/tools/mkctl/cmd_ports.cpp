// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl ports: the COM numbers present, those that exist but cannot be
// opened (and why), and which of them is the MK's USB device.
#include <algorithm>
#include <cstdio>
#include <set>

#include "link/vl_rs_base.h"
#include "platform/serial_system.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/port_arg.h"

namespace mk::tools {

int CmdPorts(const Args& args) {
  auto system = SerialSystemFromArgs(args);
  std::set<int> mk;
  for (const auto& port : system->FindMk()) mk.insert(port.number);

  int listed = 0;
  for (int n = platform::kFirstCom; n <= platform::kLastCom; ++n) {
    const platform::PortCheck check = system->Check(n);
    const bool is_mk = mk.count(n) != 0;
    if (check.state == platform::PortState::kMissing && !is_mk) continue;
    std::string note = check.state == platform::PortState::kFree ? "" : check.reason;
    if (is_mk) note.insert(0, note.empty() ? "МК (USB 04D8:000A)" : "МК (USB 04D8:000A), ");
    std::string line = "COM" + std::to_string(n);
    line.resize(7, ' ');
    line += system->PortName(n);
    if (!note.empty()) {
      line.resize(std::max<std::size_t>(line.size() + 2, 32), ' ');
      line += note;
    }
    std::printf("%s\n", line.c_str());
    ++listed;
  }
  if (listed == 0) std::printf("%s\n", link::kNoFreePort);
  return 0;
}

}  // namespace mk::tools
