// SPDX-License-Identifier: GPL-3.0-or-later
// The guard that keeps a second copy of the program from running: a named
// lock that only one process of this user can hold at a time.
#pragma once

#include <string>

namespace mk::platform {

class InstanceLock {
 public:
  /// Tries to take the lock called `name` (the program's file name in the
  /// program; tests pass their own). Never blocks and never reports: ask Owns().
  explicit InstanceLock(const std::string& name);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  /// True when this object took the lock, i.e. no other copy holds it.
  bool Owns() const { return owns_; }

 private:
  bool owns_ = false;
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
#endif
};

/// Called by a later copy just before it asks the first copy to come to the
/// front: lets that other process take the foreground, which Windows refuses
/// to a background process otherwise (it would only flash in the task bar).
/// Nothing to do elsewhere.
void LetOtherCopyComeForward();

}  // namespace mk::platform
