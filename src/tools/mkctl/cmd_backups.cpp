// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl backups: the copies of the MK's memory that writes left behind,
// newest first, and what restoring one would change.
#include <cstdio>
#include <string>

#include "device/atomic_file.h"
#include "device/backup_list.h"
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

int CmdBackups(const Args& args) {
  const std::filesystem::path prefs = text::PathFromUtf8(Option(args, "prefs"));
  const device::BackupStore store = device::BackupStore::FromPreferences(
      PrefsFromArgs(args), prefs.parent_path(), platform::BackupsDir());
  const auto entries = device::ListBackups(store);
  const std::string show = Option(args, "show");
  if (show.empty()) {
    if (entries.empty())
      std::printf("Резервных копий нет (папка %s)\n", text::PathText(store.Folder()).c_str());
    for (std::size_t i = 0; i < entries.size(); ++i) {
      const auto& e = entries[i];
      if (e.problem.empty()) {
        std::printf("%zu  %s  версия %u  память %zu байт  %s\n", i + 1, e.when.c_str(),
                    unsigned{e.version}, e.memory_size, text::PathText(e.path).c_str());
      } else {
        std::printf("%zu  %s  не читается: %s  %s\n", i + 1, e.when.c_str(), e.problem.c_str(),
                    text::PathText(e.path).c_str());
      }
    }
    return 0;
  }

  std::size_t n = 0;
  try {
    n = std::stoul(show);
  } catch (const std::exception&) {
  }
  if (n == 0 || n > entries.size()) {
    throw UsageError("--show: номер копии от 1 до " + std::to_string(entries.size()));
  }
  const auto files = Operands(args);
  const bool from_mk = !Option(args, "port").empty();
  if (files.size() + (from_mk ? 1 : 0) != 1) {
    throw UsageError("с --show укажите файл настроек или --port ПОРТ");
  }
  // What restoring the copy would change: from what is held now to the copy.
  device::TMK now;
  if (from_mk) {
    TransferLink channel(args);
    if (device::ReadSettings(channel.rs, now, channel.progress, channel.pump) !=
        device::TransferResult::Done) {
      throw Error(link::kNoLink);
    }
    channel.rs.ClosePort();
    channel.progress.EndLine();
  } else {
    device::LoadSettingsFile(text::PathFromUtf8(files[0]), now);
  }
  const device::TMK copy = device::LoadBackup(entries[n - 1]);
  std::printf("Копия %zu: %s\n", n, entries[n - 1].when.c_str());
  const settings::ShownDiff d = settings::DiffShown(now, copy);
  PrintShownText(d);
  return d.Empty() ? 0 : 1;
}

}  // namespace mk::tools
