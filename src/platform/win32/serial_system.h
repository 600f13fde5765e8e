// SPDX-License-Identifier: GPL-3.0-or-later
// The COM ports of Windows: the numbers are the system's own.
#pragma once

#include "platform/serial_system.h"

namespace mk::platform {

class Win32SerialSystem final : public SerialSystem {
 public:
  PortCheck Check(int number) override;
  std::unique_ptr<link::IBytePort> Open(int number) override;
  std::string PortName(int number) const override;
  /// The MK's ports from the registry's USB enumeration, by friendly name.
  std::vector<MkPort> FindMk() override;
  int Resolve(const PortArgument& arg) override;
  void LoadPreferences(const text::IniFile& /*ini*/) override {}
};

}  // namespace mk::platform
