// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/mkctl/address_cache.h"

#include <sstream>
#include <vector>

#include "device/atomic_file.h"
#include "device/file_reader.h"
#include "device/transfer.h"
#include "platform/prefs_path.h"
#include "text/error.h"

namespace mk::tools {
namespace {

// One line a port: "254 /dev/ttyACM0"; the newest first, so few lines stay.
constexpr std::size_t kMaxLines = 32;
constexpr std::size_t kMaxFileSize = 64 * 1024;

std::vector<std::pair<int, std::string>> ReadLines(const std::filesystem::path& file) {
  std::vector<std::pair<int, std::string>> lines;
  if (file.empty()) return lines;
  try {
    const auto bytes = device::ReadFileAtMost(file, kMaxFileSize, {"", ""});
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::string line;
    while (std::getline(in, line) && lines.size() < kMaxLines) {
      const auto space = line.find(' ');
      if (space == std::string::npos) continue;
      const std::string number = line.substr(0, space);
      // Three digits exactly: no sign, spaces or zeros that a number reader would pass.
      if (number.size() != 3 || number.find_first_not_of("0123456789") != std::string::npos)
        continue;
      const int address = std::stoi(number);
      if (device::IsMkAddress(address)) lines.emplace_back(address, line.substr(space + 1));
    }
  } catch (const Error&) {
    // No cache yet, or an unreadable one: nothing is known.
  }
  return lines;
}

}  // namespace

AddressCache::AddressCache() {
  const std::filesystem::path cache = platform::UserCacheDir();
  if (!cache.empty()) file_ = cache / "mkconfig" / "addresses";
}

std::uint8_t AddressCache::Get(const std::string& port) const {
  for (const auto& [address, name] : ReadLines(file_)) {
    if (name == port) return static_cast<std::uint8_t>(address);
  }
  return 0;
}

void AddressCache::Put(const std::string& port, std::uint8_t address) const {
  if (file_.empty() || Get(port) == address) return;
  std::string text = std::to_string(address) + " " + port + "\n";
  std::size_t kept = 1;
  for (const auto& [old_address, name] : ReadLines(file_)) {
    if (name == port || ++kept > kMaxLines) continue;
    text += std::to_string(old_address) + " " + name + "\n";
  }
  std::error_code ignored;
  std::filesystem::create_directories(file_.parent_path(), ignored);
  device::TryWriteFileAtomically(file_,
                                 {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

}  // namespace mk::tools
