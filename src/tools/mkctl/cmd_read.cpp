// mkctl read: the MK's whole memory into a settings file.
#include "device/settings_file.h"
#include "device/transfer.h"
#include "text/error.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/port_arg.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

int CmdRead(const Args& args) {
  const std::string out = Option(args, "out");
  if (out.empty()) throw Error("Укажите файл настроек: --out FILE.");
  const std::uint32_t timeout = TimeoutMs(Option(args, "timeout", "10"));
  auto system = SerialSystemFromArgs(args);
  const int n = PortFromArgs(*system, args);

  link::SteadyClock clock;
  link::NoPump pump;
  TerminalProgress progress(clock, timeout, StderrIsTerminal());
  TerminalPrompt prompt(progress);
  link::TVL_RS rs(*system, clock, pump, prompt);
  OpenForTransfer(rs, *system, n);

  device::TMK mk;
  if (device::ReadSettings(rs, mk, progress, pump) != device::TransferResult::Done) {
    throw Error(link::kNoLink);
  }
  rs.ClosePort();
  progress.EndLine();
  device::SaveSettingsFile(FilePath(out), mk);
  return 0;
}

}  // namespace mk::tools
