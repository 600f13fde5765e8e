// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/usb_mk.h"

#include "platform/com_map.h"

namespace mk::platform {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<int> ComNumberFromFriendlyName(std::string_view name) {
  if (name.find("Varneko") == std::string_view::npos) return std::nullopt;
  const auto com = name.find("COM");
  if (com == std::string_view::npos) return std::nullopt;
  std::size_t i = com + 3;
  if (i >= name.size() || !IsDigit(name[i])) return std::nullopt;
  int n = name[i] - '0';
  ++i;
  if (i < name.size() && IsDigit(name[i])) {
    n = n * 10 + (name[i] - '0');
    ++i;
  }
  if (i < name.size() && IsDigit(name[i])) return std::nullopt;
  if (n < kFirstCom || n > kLastCom) return std::nullopt;
  return n;
}

}  // namespace mk::platform
