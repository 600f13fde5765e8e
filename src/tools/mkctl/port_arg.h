// SPDX-License-Identifier: GPL-3.0-or-later
// What the port-using subcommands share: the machine's ports with the
// preferences' overrides, the --port argument, and messages on stderr.
#pragma once

#include <memory>
#include <string>

#include "link/clock.h"
#include "link/exchange_log.h"
#include "link/user_prompt.h"
#include "link/vl_rs.h"
#include "platform/serial_system.h"
#include "text/ini_file.h"
#include "tools/mkctl/commands.h"

namespace mk::tools {

/// The preferences file of `--prefs FILE`; empty without it.
text::IniFile PrefsFromArgs(const Args& args);

/// Closes an exchange log, warning on standard error when it could not be
/// written to the end (a full disk): the log then lacks the last frames.
struct ClosingExchangeLog {
  std::string path;
  void operator()(link::ExchangeLogFile* log) const;
};
using ToolExchangeLog = std::unique_ptr<link::ExchangeLogFile, ClosingExchangeLog>;

/// The exchange log of `--log FILE`, written from empty; null without it, or
/// (with a warning on standard error) when the file cannot be opened.
ToolExchangeLog ExchangeLogFromArgs(const Args& args, link::IClock& clock);

/// The machine's serial ports; with `--prefs FILE` the "Ports" section of that
/// preferences file points COM numbers at other devices.
std::unique_ptr<platform::SerialSystem> SerialSystemFromArgs(const Args& args);

/// The COM number that `--port PORT` stands for (a path takes a free number),
/// checked to be openable now. Throws mk::Error with the reason otherwise.
int PortFromArgs(platform::SerialSystem& system, const Args& args);

/// Opens port `n` on the channel at the MK's baud rate; mk::Error when it cannot.
void OpenAtMkSpeed(link::TVL_RS& rs, platform::SerialSystem& system, int n);

/// A whole number of seconds or a decimal fraction, (0, 86400], as
/// milliseconds; throws mk::Error for anything else.
std::uint32_t TimeoutMs(const std::string& seconds);

/// The link's messages, printed on standard error; questions are answered No.
class StderrPrompt final : public link::IUserPrompt {
 public:
  void ShowError(const std::string& text) override;
  void ShowInfo(const std::string& text) override;
  bool AskYesNo(const std::string& text) override;
};

}  // namespace mk::tools
