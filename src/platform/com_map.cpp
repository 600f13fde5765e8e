// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/com_map.h"

#include <cctype>
#include <filesystem>
#include <system_error>

#include "text/error.h"

namespace mk::platform {
namespace {

struct Family {
  int first;
  int last;
  const char* prefix;
};

// The on-board ports first, then USB adapters, then CDC devices such as the MK.
constexpr Family kFamilies[] = {
    {1, 8, "/dev/ttyS"},
    {9, 20, "/dev/ttyUSB"},
    {21, 32, "/dev/ttyACM"},
};

bool IsDigits(const std::string& s) {
  if (s.empty() || s.size() > 3) return false;
  for (unsigned char c : s) {
    if (!std::isdigit(c)) return false;
  }
  return true;
}

[[noreturn]] void BadPort(const std::string& text) {
  throw Error("Неверный порт «" + text +
              "»: укажите номер от 1 до 32 (7 или COM7) или путь к устройству.");
}

}  // namespace

PortArgument ParsePortArgument(const std::string& text) {
  PortArgument arg;
  if (text.find('/') != std::string::npos) {
    arg.path = text;
    return arg;
  }
  std::string digits = text;
  if (digits.size() > 3 && (digits[0] == 'C' || digits[0] == 'c') &&
      (digits[1] == 'O' || digits[1] == 'o') && (digits[2] == 'M' || digits[2] == 'm')) {
    digits = digits.substr(3);
  }
  if (!IsDigits(digits)) BadPort(text);
  const int n = std::stoi(digits);
  if (n < kFirstCom || n > kLastCom) BadPort(text);
  arg.number = n;
  return arg;
}

std::string ComMap::DefaultPath(int number) {
  for (const auto& f : kFamilies) {
    if (number >= f.first && number <= f.last) {
      return f.prefix + std::to_string(number - f.first);
    }
  }
  return {};
}

std::string ComMap::Path(int number) const {
  const auto it = overrides_.find(number);
  return it != overrides_.end() ? it->second : DefaultPath(number);
}

void ComMap::SetOverride(int number, const std::string& path) {
  if (number < kFirstCom || number > kLastCom) return;
  if (path.empty()) {
    overrides_.erase(number);
  } else {
    overrides_[number] = path;
  }
}

void ComMap::LoadOverrides(const text::IniFile& ini) {
  for (int n = kFirstCom; n <= kLastCom; ++n) {
    const std::string path = ini.ReadString(kPortsSection, "COM" + std::to_string(n), "");
    if (!path.empty()) overrides_[n] = path;
  }
}

std::optional<int> ComMap::NumberOf(const std::string& path) const {
  const std::string wanted = ResolvedPath(path);
  for (const auto& [n, p] : overrides_) {
    if (p == path || ResolvedPath(p) == wanted) return n;
  }
  for (int n = kFirstCom; n <= kLastCom; ++n) {
    // A number pointed elsewhere no longer stands for its default device.
    if (IsOverridden(n)) continue;
    const std::string p = DefaultPath(n);
    if (p == path || p == wanted) return n;
  }
  return std::nullopt;
}

int ComMap::Adopt(const std::string& path, const std::function<bool(const std::string&)>& exists) {
  if (const auto n = NumberOf(path)) return *n;
  for (int n = kLastCom; n >= kFirstCom; --n) {
    if (IsOverridden(n) || exists(DefaultPath(n))) continue;
    overrides_[n] = path;
    return n;
  }
  return 0;
}

std::string ResolvedPath(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const auto resolved = fs::canonical(path, ec);
  if (!ec) return resolved.string();
  // A link to a device that is unplugged right now still names that device.
  fs::path p = path;
  for (int hops = 0; hops < 40 && fs::is_symlink(p, ec); ++hops) {
    const fs::path target = fs::read_symlink(p, ec);
    if (ec) break;
    p = target.is_absolute() ? target : p.parent_path() / target;
  }
  return p.lexically_normal().string();
}

}  // namespace mk::platform
