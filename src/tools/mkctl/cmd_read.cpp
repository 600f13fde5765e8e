// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl read: the MK's whole memory into a settings file.
#include <cstdio>

#include "device/settings_file.h"
#include "device/transfer.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/history_output.h"
#include "tools/mkctl/port_arg.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

int CmdRead(const Args& args) {
  const std::string out = Option(args, "out");
  if (out.empty()) throw UsageError("укажите файл настроек: --out ФАЙЛ");
  ReadTimeOption(args);  // a bad --at is refused before the MK is read
  TransferLink channel(args);
  device::TMK mk;
  if (device::ReadSettings(channel.rs, mk, channel.progress, channel.pump, &channel.found) !=
      device::TransferResult::Done) {
    throw Error(link::kNoLink);
  }
  channel.rs.ClosePort();
  channel.progress.EndLine();
  device::SaveSettingsFile(text::PathFromUtf8(out), mk);
  std::printf("Настройки МК сохранены в файл «%s»\n", out.c_str());
  ImportReadIntoHistory(mk, args, ReadTimeOption(args));
  return 0;
}

}  // namespace mk::tools
