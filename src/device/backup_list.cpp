// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/backup_list.h"

#include <algorithm>

#include "device/settings_file.h"
#include "text/error.h"

namespace mk::device {

namespace {

// "backup-2026-12-08-113005-123-v1.vrnkp" -> "08.12.2026 11:30:05".
std::string WhenOf(const std::string& name) {
  const std::string d = name.substr(7);  // after "backup-"
  return d.substr(8, 2) + "." + d.substr(5, 2) + "." + d.substr(0, 4) + " " + d.substr(11, 2) +
         ":" + d.substr(13, 2) + ":" + d.substr(15, 2);
}

}  // namespace

std::vector<BackupEntry> ListBackups(const BackupStore& store) {
  std::vector<std::filesystem::path> paths = store.List();
  std::reverse(paths.begin(), paths.end());
  std::vector<BackupEntry> entries;
  for (const auto& path : paths) {
    BackupEntry e;
    e.path = path;
    e.when = WhenOf(path.filename().string());
    try {
      const TMK mk = LoadBackup(e);
      e.version = mk.DeviceVersion();
      e.memory_size = mk.Image().size() + 64;
    } catch (const Error& error) {
      e.problem = error.what();
    }
    entries.push_back(std::move(e));
  }
  return entries;
}

TMK LoadBackup(const BackupEntry& entry) {
  TMK mk;
  LoadSettingsFile(entry.path, mk);
  return mk;
}

}  // namespace mk::device
