// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/usb_sysfs.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace mk::platform {
namespace fs = std::filesystem;
namespace {

// A tty's "device" link points at the USB interface (cdc-acm) or at a port
// below it (usb-serial); the ids live on the USB device a level or two up.
constexpr int kMaxLevels = 4;

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::string ReadId(const fs::path& file) {
  std::ifstream in(file);
  std::string id;
  in >> id;
  return Lower(id);
}

}  // namespace

std::optional<std::pair<std::string, std::string>> UsbIdsOf(const std::string& device) {
  std::error_code ec;
  fs::path dir = fs::canonical(device, ec);
  if (ec) return std::nullopt;
  for (int level = 0; level <= kMaxLevels && dir.has_relative_path(); ++level) {
    if (fs::exists(dir / "idVendor", ec) && fs::exists(dir / "idProduct", ec)) {
      return std::make_pair(ReadId(dir / "idVendor"), ReadId(dir / "idProduct"));
    }
    dir = dir.parent_path();
  }
  return std::nullopt;
}

// The name's trailing number compares as a number.
bool NaturalLess(const std::string& a, const std::string& b) {
  const auto split = [](const std::string& s) {
    std::size_t i = s.size();
    while (i > 0 && std::isdigit(static_cast<unsigned char>(s[i - 1]))) --i;
    const std::string digits = s.substr(i);
    return std::make_pair(s.substr(0, i),
                          digits.empty() || digits.size() > 9 ? -1L : std::stol(digits));
  };
  const auto sa = split(a);
  const auto sb = split(b);
  return sa != sb ? sa < sb : a < b;
}

std::vector<std::string> FindUsbTtys(const std::string& sysfs_root, const std::string& vendor,
                                     const std::string& product) {
  const std::string want_vendor = Lower(vendor);
  const std::string want_product = Lower(product);
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(fs::path(sysfs_root) / "class" / "tty", ec), end; !ec && it != end;
       it.increment(ec)) {
    const fs::path device = it->path() / "device";
    const auto ids = UsbIdsOf(device.string());
    if (ids && ids->first == want_vendor && ids->second == want_product) {
      names.push_back(it->path().filename());
    }
  }
  std::sort(names.begin(), names.end(), NaturalLess);
  std::vector<std::string> paths;
  paths.reserve(names.size());
  for (const auto& name : names) paths.push_back("/dev/" + name);
  return paths;
}

}  // namespace mk::platform
