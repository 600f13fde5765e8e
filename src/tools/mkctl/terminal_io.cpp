// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/mkctl/terminal_io.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "text/error.h"
#include "tools/mkctl/address_cache.h"
#include "tools/mkctl/port_arg.h"

namespace mk::tools {

bool StderrIsTerminal() {
#ifdef _WIN32
  return _isatty(_fileno(stderr)) != 0;
#else
  return isatty(STDERR_FILENO) != 0;
#endif
}

TerminalProgress::TerminalProgress(link::IClock& clock, std::uint32_t connect_ms, bool terminal)
    : clock_(clock), start_(clock.TickCount()), connect_ms_(connect_ms), terminal_(terminal) {}

void TerminalProgress::SetLabel(const std::string& text) {
  if (text == label_) return;
  EndLine();
  label_ = text;
}

void TerminalProgress::SetGauge(int percent) {
  if (percent == gauge_) return;
  gauge_ = percent;
  if (gauge_visible_) Print();
}

void TerminalProgress::ShowGauge(bool visible) {
  gauge_visible_ = visible;
  if (visible) Print();
}

bool TerminalProgress::Cancelled() {
  return clock_.TickCount() - start_ >= connect_ms_;
}

void TerminalProgress::Print() {
  if (!terminal_ || gauge_ < 0) return;
  std::fprintf(stderr, "\r%s %d%%", label_.c_str(), gauge_);
  std::fflush(stderr);
  line_open_ = true;
}

void TerminalProgress::EndLine() {
  if (!line_open_) return;
  std::fputc('\n', stderr);
  line_open_ = false;
}

void TerminalPrompt::ShowError(const std::string& text) {
  progress_.EndLine();
  std::fprintf(stderr, "%s\n", text.c_str());
}

void TerminalPrompt::ShowInfo(const std::string& text) {
  progress_.EndLine();
  std::fprintf(stdout, "%s\n", text.c_str());
}

bool TerminalPrompt::AskYesNo(const std::string& text) {
  progress_.EndLine();
  std::fprintf(stderr, "%s Нет.\n", text.c_str());
  return false;
}

TransferLink::TransferLink(const Args& args)
    : progress(clock, TimeoutMs(Option(args, "timeout", "10")), StderrIsTerminal()),
      prompt(progress),
      system(SerialSystemFromArgs(args)),
      port(PortFromArgs(*system, args)),
      rs(*system, clock, pump, prompt),
      log(ExchangeLogFromArgs(args, clock)) {
  rs.SetExchangeLog(log.get());
  OpenAtMkSpeed(rs, *system, port);
  found.DeviceAddress = AddressCache().Get(system->PortName(port));
}

TransferLink::~TransferLink() {
  progress.EndLine();  // what the closing log says starts a line of its own
  if (found.DeviceAddress != 0) AddressCache().Put(system->PortName(port), found.DeviceAddress);
}

}  // namespace mk::tools
