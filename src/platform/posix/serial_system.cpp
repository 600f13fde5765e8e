#include "platform/posix/serial_system.h"

#include <sys/stat.h>

#include "platform/posix/serial_port.h"
#include "platform/posix/usb_sysfs.h"
#include "platform/usb_mk.h"

namespace mk::platform {
namespace {

bool Exists(const std::string& path) {
  struct stat st {};
  return !path.empty() && stat(path.c_str(), &st) == 0;
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
}

std::unique_ptr<SerialSystem> CreateSerialSystem() {
  return std::make_unique<PosixSerialSystem>();
}

}  // namespace mk::platform
