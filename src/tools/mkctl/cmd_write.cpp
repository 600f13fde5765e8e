// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl write: the settings blocks of a settings file into the MK, with a
// backup of the MK's memory before and a read-back after.
#include <cstdio>

#include "device/atomic_file.h"
#include "device/backup_store.h"
#include "device/settings_file.h"
#include "device/transfer.h"
#include "platform/prefs_path.h"
#include "settings/shown_diff.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/port_arg.h"
#include "tools/mkctl/shown_output.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

int CmdWrite(const Args& args) {
  const std::string in = Option(args, "in");
  if (in.empty()) throw UsageError("укажите файл настроек: --in ФАЙЛ");
  device::TMK mk;
  device::LoadSettingsFile(text::PathFromUtf8(in), mk);

  device::WriteOptions options;
  options.verify = !HasFlag(args, "no-verify");
  // What the write changes in the MK, printed before anything is sent; a dry
  // run stops there.
  const bool dry_run = HasFlag(args, "dry-run");
  bool asked = false, changes = false;
  options.confirm = [&](const device::TMK& fresh, const device::TMK& to_write) {
    const settings::ShownDiff d = settings::DiffShown(fresh, to_write);
    asked = true;
    changes = !d.Empty();
    if (changes) {
      std::printf("Изменится в МК:\n");
      PrintShownText(d);
    } else {
      std::printf("Различий нет: МК уже хранит эти настройки.\n");
    }
    std::fflush(stdout);
    return !dry_run;
  };
  std::optional<device::BackupStore> backups;
  if (!HasFlag(args, "no-backup") && !dry_run) {
    const std::filesystem::path prefs = text::PathFromUtf8(Option(args, "prefs"));
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
      if (asked) return changes ? 1 : 0;  // the dry run's answer
      throw Error(link::kNoLink);
    case device::TransferResult::Refused:
      return 1;  // the reason is already on standard error
  }
  return 1;
}

}  // namespace mk::tools
