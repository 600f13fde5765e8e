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
  if (in.empty()) throw UsageError("укажите файл настроек: --in ФАЙЛ");
  device::TMK mk;
  device::LoadSettingsFile(FilePath(in), mk);
  TransferLink channel(args);
  switch (device::WriteSettings(channel.rs, mk, channel.progress, channel.pump, channel.prompt)) {
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
