// mkctl write: the settings blocks of a settings file into the MK.
#include "device/settings_file.h"
#include "device/transfer.h"
#include "text/error.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/port_arg.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

int CmdWrite(const Args& args) {
  const std::string in = Option(args, "in");
  if (in.empty()) throw Error("Укажите файл настроек: --in FILE.");
  const std::uint32_t timeout = TimeoutMs(Option(args, "timeout", "10"));
  device::TMK mk;
  device::LoadSettingsFile(FilePath(in), mk);
  auto system = SerialSystemFromArgs(args);
  const int n = PortFromArgs(*system, args);

  link::SteadyClock clock;
  link::NoPump pump;
  TerminalProgress progress(clock, timeout, StderrIsTerminal());
  TerminalPrompt prompt(progress);
  link::TVL_RS rs(*system, clock, pump, prompt);
  OpenForTransfer(rs, *system, n);

  switch (device::WriteSettings(rs, mk, progress, pump, prompt)) {
    case device::TransferResult::Done:
      return 0;
    case device::TransferResult::Cancelled:
      throw Error(link::kNoLink);
    case device::TransferResult::Refused:
      return 1;  // the reason is already on standard error
  }
  return 1;
}

}  // namespace mk::tools
