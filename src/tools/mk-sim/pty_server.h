// SPDX-License-Identifier: GPL-3.0-or-later
// Serves a VirtualMK on a POSIX pseudo-terminal: the client opens the slave
// side as if it were the MK's serial port.
#pragma once

#include <csignal>
#include <cstdint>
#include <functional>
#include <string>

#include "sim/answer_schedule.h"
#include "sim/virtual_mk.h"

namespace mk::tools {

class PtyServer {
 public:
  /// Opens the pseudo-terminal; throws std::runtime_error when it cannot.
  PtyServer(sim::VirtualMK& mk, sim::WireTiming wire_timing);
  ~PtyServer();
  PtyServer(const PtyServer&) = delete;
  PtyServer& operator=(const PtyServer&) = delete;

  /// The path a client opens, e.g. /dev/pts/5.
  const std::string& SlavePath() const { return slave_path_; }

  /// Answers requests until `stop` becomes non-zero. Clients may come and go:
  /// the terminal stays ours in between.
  /// `between` runs whenever a wait ends (a signal interrupts it at once).
  void Run(const volatile std::sig_atomic_t& stop, const std::function<void()>& between = {});

 private:
  void MakeRaw();
  void Flush(std::uint64_t now_ns);
  void ReportViolations();

  sim::VirtualMK& mk_;
  sim::AnswerSchedule schedule_;
  int master_ = -1;
  std::string slave_path_;
  std::size_t violations_reported_ = 0;
  std::uint64_t hot_until_ns_ = 0;  // poll without sleeping until then
};

}  // namespace mk::tools
