// SPDX-License-Identifier: GPL-3.0-or-later
// Which MK address answered last on each port, kept in the user's cache
// folder so that the next connect asks it first instead of going through the
// addresses before it, each with its time-out.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace mk::tools {

class AddressCache {
 public:
  /// The cache in `file`; the default is <UserCacheDir>/mkconfig/addresses.
  AddressCache();
  explicit AddressCache(std::filesystem::path file) : file_(std::move(file)) {}

  /// The address that answered last on `port` (its device path), or 0.
  std::uint8_t Get(const std::string& port) const;
  /// Keeps `address` for `port`. A cache that cannot be written is no
  /// failure: it only saves time.
  void Put(const std::string& port, std::uint8_t address) const;

 private:
  std::filesystem::path file_;
};

}  // namespace mk::tools
