// SPDX-License-Identifier: GPL-3.0-or-later
// The progress window and the message boxes of a transfer, as a terminal
// shows them: one progress line on standard error that rewrites itself.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "device/transfer.h"
#include "link/clock.h"
#include "link/exchange_log.h"
#include "link/progress.h"
#include "link/user_prompt.h"
#include "link/vl_rs.h"
#include "platform/serial_system.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/port_arg.h"

namespace mk::tools {

/// True when standard error is a terminal (not a file or a pipe).
bool StderrIsTerminal();

/// "\rЧтение настроек... 42%" while the gauge shows, on a terminal only. A
/// tool has no Cancel button: the connect cycle gives up `connect_ms` after
/// the progress was made.
class TerminalProgress final : public link::IProgress {
 public:
  TerminalProgress(link::IClock& clock, std::uint32_t connect_ms, bool terminal);
  ~TerminalProgress() override { EndLine(); }

  void SetLabel(const std::string& text) override;
  void SetGauge(int percent) override;
  void ShowGauge(bool visible) override;
  void ShowCancel(bool /*visible*/) override {}
  bool Cancelled() override;

  /// Ends the progress line, if one was printed, so the next message starts afresh.
  void EndLine();

 private:
  void Print();

  link::IClock& clock_;
  std::uint32_t start_;
  std::uint32_t connect_ms_;
  bool terminal_;
  std::string label_;
  int gauge_ = -1;
  bool gauge_visible_ = false;
  bool line_open_ = false;
};

/// Messages on standard error after the progress line; questions are answered No.
class TerminalPrompt final : public link::IUserPrompt {
 public:
  explicit TerminalPrompt(TerminalProgress& progress) : progress_(progress) {}
  void ShowError(const std::string& text) override;
  void ShowInfo(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;

 private:
  TerminalProgress& progress_;
};

/// What the read and write commands share: the port of --port open at the
/// MK's speed, the progress line and prompts on the terminal, and --timeout
/// (10 s when not given) as the limit for finding the MK, and the exchange
/// log of --log FILE; and `found`, to hand to the transfer, which brings the
/// address that answered last time on this port and keeps the one that
/// answered now for the next time.
struct TransferLink {
  explicit TransferLink(const Args& args);
  ~TransferLink();
  TransferLink(const TransferLink&) = delete;
  TransferLink& operator=(const TransferLink&) = delete;

  link::SteadyClock clock;
  link::NoPump pump;
  TerminalProgress progress;
  TerminalPrompt prompt;
  std::unique_ptr<platform::SerialSystem> system;
  int port;  // resolved before the channel exists: a path gets its number here
  link::TVL_RS rs;
  ToolExchangeLog log;  // --log FILE; null without it
  device::Connection found;
};

}  // namespace mk::tools
