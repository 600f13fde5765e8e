// SPDX-License-Identifier: GPL-3.0-or-later
// Raising the process and thread priority for the few milliseconds in which a
// half-duplex line must be turned around on time. The platform layer may
// provide one; without it the send simply runs at normal priority.
#pragma once

namespace mk::link {

class IPriorityBoost {
 public:
  virtual ~IPriorityBoost() = default;
  /// Remembers the current priorities and switches to the highest ones.
  virtual void Raise() = 0;
  /// Restores what Raise remembered.
  virtual void Restore() = 0;
};

}  // namespace mk::link
