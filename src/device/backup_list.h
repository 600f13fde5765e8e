// SPDX-License-Identifier: GPL-3.0-or-later
// The backups a write left, as a user picks one: newest first, with when it
// was made, the device version and the memory it holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "device/backup_store.h"
#include "device/mk.h"

namespace mk::device {

struct BackupEntry {
  std::filesystem::path path;
  std::string when;             // "08.12.2026 11:30:05", from the name
  std::uint16_t version = 0;    // from the file
  std::size_t memory_size = 0;  // the MK's memory: the image and the 64 bytes never read
  std::string problem;          // why it cannot be loaded; "" when it can
};

/// The store's backups, newest first, each opened to learn what it holds.
std::vector<BackupEntry> ListBackups(const BackupStore& store);

/// The settings of a backup; mk::Error saying why when it cannot be loaded.
TMK LoadBackup(const BackupEntry& entry);

}  // namespace mk::device
