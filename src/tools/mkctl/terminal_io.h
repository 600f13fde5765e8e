// The progress window and the message boxes of a transfer, as a terminal
// shows them: one progress line on standard error that rewrites itself.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "link/clock.h"
#include "link/progress.h"
#include "link/user_prompt.h"
#include "link/vl_rs.h"
#include "platform/serial_system.h"

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

/// Opens port `n` on the channel at the MK's baud rate; mk::Error when it cannot.
void OpenForTransfer(link::TVL_RS& rs, platform::SerialSystem& system, int n);

/// A file name given on the command line (UTF-8) as a path.
std::filesystem::path FilePath(const std::string& utf8);

}  // namespace mk::tools
