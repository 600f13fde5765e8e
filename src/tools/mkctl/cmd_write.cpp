// mkctl write: the settings blocks of a settings file into the MK, with a
// backup of the MK's memory before and a read-back after.
#include <cstdio>

#include "device/atomic_file.h"
#include "device/backup_store.h"
#include "device/settings_file.h"
#include "device/transfer.h"
#include "platform/prefs_path.h"
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

  device::WriteOptions options;
  options.verify = !HasFlag(args, "no-verify");
  std::optional<device::BackupStore> backups;
  if (!HasFlag(args, "no-backup")) {
    const std::filesystem::path prefs = FilePath(Option(args, "prefs"));
    backups.emplace(device::BackupStore::FromPreferences(PrefsFromArgs(args), prefs.parent_path(),
                                                         platform::BackupsDir()));
    options.backup = [&backups](std::uint16_t version, std::span<const std::uint8_t> image) {
      const std::filesystem::path path = backups->Save(version, image);
      // Printed at once: should the write fail, the path is on screen already.
      std::printf("backup %s\n", device::PathText(path).c_str());
      std::fflush(stdout);
      return path;
    };
  }

  TransferLink channel(args);
  switch (device::WriteSettings(channel.rs, mk, channel.progress, channel.pump, channel.prompt,
                                &channel.found, options)) {
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
