// SPDX-License-Identifier: GPL-3.0-or-later
// The backups a write leaves behind: the MK's memory as it was before the
// write, as ordinary settings files named by date, time and device version,
// the newest few kept.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "text/ini_file.h"

namespace mk::device {

class BackupStore {
 public:
  static constexpr std::size_t kDefaultKeep = 50;
  using Now = std::function<std::chrono::system_clock::time_point()>;

  /// Backups go to `folder` (made when missing); after each one only the
  /// newest `keep` (at least 1) stay.
  explicit BackupStore(std::filesystem::path folder, std::size_t keep = kDefaultKeep,
                       Now now = &std::chrono::system_clock::now);

  /// The folder and the count from the preferences' section "Backup" ("Folder",
  /// relative to `base`; "Keep"), with `default_folder` and kDefaultKeep for
  /// what is missing or unusable.
  static BackupStore FromPreferences(const text::IniFile& ini, const std::filesystem::path& base,
                                     const std::filesystem::path& default_folder);

  const std::filesystem::path& Folder() const { return folder_; }
  std::size_t Keep() const { return keep_; }

  /// Saves a settings file of `device_version` and `image` under a new name
  /// and removes the oldest backups beyond Keep(). Returns the new file's
  /// path. Throws mk::Error saying why when the file cannot be saved; old
  /// backups that cannot be removed are left.
  std::filesystem::path Save(std::uint16_t device_version, std::span<const std::uint8_t> image);

  /// The backups in the folder, oldest first (other files are not ours).
  std::vector<std::filesystem::path> List() const;

  /// "backup-2026-12-08-113005-123-v1.vrnkp": local date and time with
  /// milliseconds, then the device version, so names sort by time.
  static std::string FileName(const std::tm& local, int milliseconds, std::uint16_t device_version);
  /// True for a name FileName could have made.
  static bool IsBackupName(const std::string& name);

 private:
  std::filesystem::path folder_;
  std::size_t keep_;
  Now now_;
};

}  // namespace mk::device
