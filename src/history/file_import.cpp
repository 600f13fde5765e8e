// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/file_import.h"

#include <chrono>

#include "device/atomic_file.h"
#include "device/mk.h"
#include "device/settings_file.h"
#include "text/utf8_path.h"

namespace mk::history {

ReadSnapshot SnapshotOfFile(const std::filesystem::path& path, std::optional<LocalMinutes> at) {
  device::TMK mk;
  device::LoadSettingsFile(path, mk);
  if (!at) {
    std::error_code ec;
    const auto written = std::filesystem::last_write_time(path, ec);
    const auto sys = std::chrono::file_clock::to_sys(written);
    at = ec ? LocalNow()
            : LocalFromSeconds(
                  std::chrono::duration_cast<std::chrono::seconds>(sys.time_since_epoch()).count());
  }
  ReadSnapshot s = TakeSnapshot(mk, *at);
  s.source = text::PathText(path);
  return s;
}

}  // namespace mk::history
