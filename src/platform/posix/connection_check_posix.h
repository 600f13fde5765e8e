// SPDX-License-Identifier: GPL-3.0-or-later
// The connection check on Linux, reading the kernel's device tree, the
// processes, the device nodes, the groups and the udev rules below roots that
// tests point at a fake tree.
#pragma once

#include <string>
#include <vector>

#include "platform/connection_check.h"

namespace mk::platform {

struct HostRoots {
  std::string sys = "/sys";
  std::string proc = "/proc";
  std::string dev = "/dev";
  std::string etc = "/etc";
  std::string lib_udev = "/lib/udev";
};

/// Who wants to reach the MK.
struct UserIdentity {
  unsigned uid = 0;
  unsigned gid = 0;
  std::vector<unsigned> groups;  ///< the groups the user's processes have now
  std::string name;
  int pid = 0;  ///< our own process, which is not reported as holding a port
  /// The identity is this process's own: a port's ACL (as uaccess sets one)
  /// can then be tried with access(), which the mode bits do not show.
  bool is_current_process = false;
};

UserIdentity CurrentUser();

ConnectionReport CheckConnection(const HostRoots& roots, const UserIdentity& user);

}  // namespace mk::platform
