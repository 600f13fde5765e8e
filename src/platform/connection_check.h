// SPDX-License-Identifier: GPL-3.0-or-later
// What stands between the user and the MK on this machine: the MK missing on
// USB, ports the user may not open or another program holds, programs that
// take serial ports over, slow USB serial adapters; each with its fix.
#pragma once

#include <string>
#include <vector>

namespace mk::platform {

struct Obstacle {
  /// True when it keeps the MK from being reached; false when it may get in
  /// the way or only slows the link down.
  bool blocking = true;
  std::string what;  ///< Russian, one sentence or two
  std::string fix;   ///< Russian, one line: what to do about it
};

struct ConnectionReport {
  /// What was looked at, one line each, so the user sees what was covered.
  std::vector<std::string> checked;
  std::vector<Obstacle> obstacles;

  /// Nothing blocks the way to the MK.
  bool Clear() const;
};

/// The report as the user reads it, in `mkctl doctor` and behind the
/// "Подробнее" button of the main window.
std::string FormatReport(const ConnectionReport& report);

/// Checks the machine the program runs on.
ConnectionReport CheckConnection();

}  // namespace mk::platform
