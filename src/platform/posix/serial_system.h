// SPDX-License-Identifier: GPL-3.0-or-later
// COM numbers on a POSIX system: each stands for a device path (ComMap).
#pragma once

#include <string>

#include "platform/com_map.h"
#include "platform/serial_system.h"

namespace mk::platform {

class PosixSerialSystem final : public SerialSystem {
 public:
  /// `sysfs_root` is where the USB lookup reads the kernel's device tree.
  explicit PosixSerialSystem(std::string sysfs_root = "/sys");

  PortCheck Check(int number) override;
  std::unique_ptr<link::IBytePort> Open(int number) override;
  std::string PortName(int number) const override;
  std::vector<MkPort> FindMk() override;
  int Resolve(const PortArgument& arg) override;
  void LoadPreferences(const text::IniFile& ini) override;

  ComMap& Map() { return map_; }

 private:
  ComMap map_;
  std::string sysfs_root_;
};

}  // namespace mk::platform
