// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/serial_system.h"

#include "platform/win32/serial_port.h"
#include "platform/win32/usb_registry.h"

namespace mk::platform {

PortCheck Win32SerialSystem::Check(int number) {
  if (number < kFirstCom || number > kLastCom) return {};
  return Win32SerialPort::Check(number);
}

std::unique_ptr<link::IBytePort> Win32SerialSystem::Open(int number) {
  if (number < kFirstCom || number > kLastCom) return nullptr;
  return Win32SerialPort::Open(number);
}

std::string Win32SerialSystem::PortName(int number) const {
  return "COM" + std::to_string(number);
}

std::vector<MkPort> Win32SerialSystem::FindMk() {
  std::vector<MkPort> found;
  for (const auto& name : MkFriendlyNames()) {
    if (const auto n = ComNumberFromFriendlyName(name)) {
      found.push_back(MkPort{*n, PortName(*n)});
    }
  }
  return found;
}

int Win32SerialSystem::Resolve(const PortArgument& arg) {
  // Windows names its ports by number only; a path has no number here.
  return arg.path.empty() ? arg.number : 0;
}

std::unique_ptr<SerialSystem> CreateSerialSystem() {
  return std::make_unique<Win32SerialSystem>();
}

}  // namespace mk::platform
