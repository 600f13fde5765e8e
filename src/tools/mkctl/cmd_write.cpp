// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl write: the settings blocks of a settings file into the MK, with a
// backup of the MK's memory before and a read-back after.
#include <cstdio>

#include "device/atomic_file.h"
#include "device/backup_store.h"
#include "device/settings_file.h"
#include "device/transfer.h"
#include "platform/prefs_path.h"
#include "settings/chosen_settings.h"
#include "settings/shown_diff.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "tools/mkctl/command_line.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/port_arg.h"
#include "tools/mkctl/shown_output.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

namespace {

// The settings --only or --except names; an unknown name is a bad command line.
std::vector<const settings::Setting*> Named(const Args& args, const char* option) {
  const std::string list = Option(args, option);
  if (list.empty()) return {};
  try {
    return settings::SettingsNamed(SplitList(list));
  } catch (const Error& e) {
    throw UsageError(std::string("--") + option + ": " + e.what());
  }
}

// The changed settings the write keeps: all but the unticked ones.
std::vector<const settings::Setting*> Chosen(const settings::ShownDiff& d,
                                             const std::vector<const settings::Setting*>& only,
                                             const std::vector<const settings::Setting*>& except) {
  std::vector<const settings::Setting*> changed = settings::ListedSettings(d);
  if (!only.empty()) {
    changed = settings::Without(changed, settings::Without(changed, only));
  }
  return settings::Without(changed, except);
}

}  // namespace

int CmdWrite(const Args& args) {
  const std::string in = Option(args, "in");
  if (in.empty()) throw UsageError("укажите файл настроек: --in ФАЙЛ");
  const auto only = Named(args, "only");
  const auto except = Named(args, "except");
  if (!only.empty() && !except.empty()) throw UsageError("--only и --except вместе не бывают");
  device::TMK mk;
  device::LoadSettingsFile(text::PathFromUtf8(in), mk);

  device::WriteOptions options;
  options.verify = !HasFlag(args, "no-verify");
  // What the write changes in the MK, printed before anything is sent; a dry
  // run stops there.
  const bool dry_run = HasFlag(args, "dry-run");
  bool asked = false, changes = false;
  options.confirm = [&](const device::TMK& fresh, device::TMK& to_write) {
    settings::ShownDiff d = settings::DiffShown(fresh, to_write);
    if (!only.empty() || !except.empty()) {
      // Only the named changes go: the MK as read with them laid over it.
      to_write = settings::LayChosen(fresh, to_write, Chosen(d, only, except));
      d = settings::DiffShown(fresh, to_write);
    }
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
      std::filesystem::path path = backups->Save(version, image);
      // Printed at once: should the write fail, the path is on screen already.
      std::printf("backup %s\n", text::PathText(path).c_str());
      std::fflush(stdout);
      return path;
    };
  }

  TransferLink channel(args);
  switch (device::WriteSettings(channel.rs, mk, channel.progress, channel.pump, channel.prompt,
                                &channel.found, options)) {
    case device::TransferResult::Done:
    case device::TransferResult::Unchanged:
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
