// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl doctor: what stands between the user and the MK on this machine, each
// with its fix.
#include <cstdio>

#include "platform/connection_check.h"
#include "tools/mkctl/commands.h"

namespace mk::tools {

int CmdDoctor(const Args&) {
  const platform::ConnectionReport report = platform::CheckConnection();
  std::fputs(platform::FormatReport(report).c_str(), stdout);
  return report.Clear() ? 0 : 1;
}

}  // namespace mk::tools
