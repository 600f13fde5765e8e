// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/serial_system.h"

#include <sys/stat.h>

#include <string_view>

#include "platform/posix/serial_port.h"
#include "platform/posix/usb_sysfs.h"
#include "platform/usb_mk.h"
#include "text/cp1251.h"

namespace mk::platform {
namespace {

bool Exists(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0;
}

// UTF-8 by its byte pattern: lead bytes C2..F4, each with its continuation bytes.
bool IsUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    std::size_t extra = 0;
    if (lead >= 0x80) {
      if (lead < 0xC2 || lead > 0xF4) return false;
      extra = lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    }
    if (bytes.size() - i <= extra) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return false;
    }
    i += extra + 1;
  }
  return true;
}

// The preferences file is Windows-1251, but a Linux user's editor writes it
// in UTF-8. A path that names nothing in the Windows-1251 reading, and whose
// bytes are UTF-8, is taken in the UTF-8 reading; when that names nothing
// either it is still kept, so that messages show the path as it was written.
std::string AsWritten(const std::string& cp1251_reading) {
  if (Exists(cp1251_reading)) return cp1251_reading;
  std::string bytes = text::Utf8ToCp1251(cp1251_reading);  // the file's own bytes
  return bytes != cp1251_reading && IsUtf8(bytes) ? bytes : cp1251_reading;
}

}  // namespace

PosixSerialSystem::PosixSerialSystem(std::string sysfs_root) : sysfs_root_(std::move(sysfs_root)) {}

PortCheck PosixSerialSystem::Check(int number) {
  if (number < kFirstCom || number > kLastCom) return {};
  return PosixSerialPort::Check(map_.Path(number));
}

std::unique_ptr<link::IBytePort> PosixSerialSystem::Open(int number) {
  if (number < kFirstCom || number > kLastCom) return nullptr;
  return PosixSerialPort::Open(map_.Path(number));
}

std::string PosixSerialSystem::PortName(int number) const {
  return map_.Path(number);
}

std::vector<MkPort> PosixSerialSystem::FindMk() {
  std::vector<MkPort> found;
  for (const auto& tty : FindUsbTtys(sysfs_root_, kMkVendor, kMkProduct)) {
    // A tty outside the default families (ttyACM12 and up) takes a free
    // number, as a path given to a tool would.
    const int n = map_.Adopt(tty, Exists);
    if (n != 0) found.push_back(MkPort{n, tty});
  }
  return found;
}

int PosixSerialSystem::Resolve(const PortArgument& arg) {
  if (!arg.path.empty()) return map_.Adopt(arg.path, Exists);
  return arg.number;
}

void PosixSerialSystem::LoadPreferences(const text::IniFile& ini) {
  map_.LoadOverrides(ini);
  for (int n = kFirstCom; n <= kLastCom; ++n) {
    if (map_.IsOverridden(n)) map_.SetOverride(n, AsWritten(map_.Path(n)));
  }
}

std::unique_ptr<SerialSystem> CreateSerialSystem() {
  return std::make_unique<PosixSerialSystem>();
}

}  // namespace mk::platform
