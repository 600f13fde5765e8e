// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/backup_store.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

#include "device/atomic_file.h"
#include "device/settings_file.h"
#include "text/error.h"
#include "text/file_error.h"
#include "text/utf8_path.h"

namespace mk::device {
namespace {

constexpr const char* kPrefix = "backup-";
constexpr const char* kExtension = ".vrnkp";
constexpr long kMostKept = 100000;

}  // namespace

BackupStore::BackupStore(std::filesystem::path folder, std::size_t keep, Now now)
    : folder_(std::move(folder)), keep_(std::max<std::size_t>(keep, 1)), now_(std::move(now)) {}

BackupStore BackupStore::FromPreferences(const text::IniFile& ini,
                                         const std::filesystem::path& base,
                                         const std::filesystem::path& default_folder) {
  const std::string folder = ini.ReadString("Backup", "Folder", "");
  const long keep = ini.ReadInteger("Backup", "Keep", static_cast<long>(kDefaultKeep));
  const auto count = keep >= 1 && keep <= kMostKept ? static_cast<std::size_t>(keep) : kDefaultKeep;
  if (folder.empty()) return BackupStore(default_folder, count);
  const std::filesystem::path chosen = text::PathFromUtf8(folder);
  return BackupStore(chosen.is_absolute() ? chosen : base / chosen, count);
}

std::string BackupStore::FileName(const std::tm& local, int milliseconds,
                                  std::uint16_t device_version) {
  char name[64];
  std::snprintf(name, sizeof name, "%s%04d-%02d-%02d-%02d%02d%02d-%03d-v%u%s", kPrefix,
                local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                local.tm_sec, milliseconds, unsigned{device_version}, kExtension);
  return name;
}

bool BackupStore::IsBackupName(const std::string& name) {
  // backup-YYYY-MM-DD-HHMMSS-mmm-vN.vrnkp
  const std::string prefix = kPrefix, extension = kExtension;
  const std::string digits = "dddd-dd-dd-dddddd-ddd-v";
  if (name.size() < prefix.size() + digits.size() + 1 + extension.size()) return false;
  if (name.compare(0, prefix.size(), prefix) != 0) return false;
  if (name.compare(name.size() - extension.size(), extension.size(), extension) != 0) return false;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    const char c = name[prefix.size() + i];
    const bool ok = digits[i] == 'd' ? c >= '0' && c <= '9' : c == digits[i];
    if (!ok) return false;
  }
  const std::size_t version = prefix.size() + digits.size();
  const std::size_t end = name.size() - extension.size();
  return version < end && std::all_of(name.begin() + static_cast<std::ptrdiff_t>(version),
                                      name.begin() + static_cast<std::ptrdiff_t>(end),
                                      [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<std::filesystem::path> BackupStore::List() const {
  std::vector<std::filesystem::path> found;
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder_, error), end; !error && it != end;
       it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (IsBackupName(name)) found.push_back(it->path());
  }
  // Names sort by time; the device version only breaks ties.
  std::sort(found.begin(), found.end());
  return found;
}

std::filesystem::path BackupStore::Save(std::uint16_t device_version,
                                        std::span<const std::uint8_t> image) {
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  if (error) {
    throw Error("Не удалось создать папку резервных копий «" + text::PathText(folder_) +
                "». Причина: " + text::FileErrorReason(error) + ".");
  }
  const auto now = now_();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  int ms = static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000);
  const std::tm* local = std::localtime(&seconds);
  const std::tm when = local != nullptr ? *local : std::tm{};
  // Two backups within one millisecond (or a clock set back) must not meet:
  // the later one takes the next free millisecond.
  std::filesystem::path path = folder_ / FileName(when, ms, device_version);
  for (int tries = 0; std::filesystem::exists(path, error) && tries < 1000; ++tries) {
    ms = (ms + 1) % 1000;
    path = folder_ / FileName(when, ms, device_version);
  }
  WriteFileAtomically(
      path, EncodeSettingsFile(device_version, image),
      "Не удалось сохранить резервную копию памяти МК «" + text::PathText(path) + "».");

  std::vector<std::filesystem::path> all = List();
  // With the clock set back the new file may sort first; it stays all the same.
  std::erase(all, path);
  for (std::size_t i = 0; i + keep_ < all.size() + 1; ++i) std::filesystem::remove(all[i], error);
  return path;
}

}  // namespace mk::device
