// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/platform_services.h"

#include <memory>
#include <vector>

#include "platform/connection_check.h"
#include "platform/port_trouble.h"
#include "platform/serial_system.h"

namespace mk::app {

void UsePlatformPorts(MainFormServices& services) {
  // The window owns the ports it makes; the lookup borrows them while they live.
  auto current = std::make_shared<platform::SerialSystem*>(nullptr);
  services.make_ports = [current](const text::IniFile& prefs) {
    auto ports = platform::CreateSerialSystem();
    ports->LoadPreferences(prefs);
    *current = ports.get();
    return std::unique_ptr<link::ISerialSystem>(std::move(ports));
  };
  services.find_mk = [current] {
    std::vector<int> numbers;
    if (*current != nullptr)
      for (const auto& port : (*current)->FindMk()) numbers.push_back(port.number);
    return numbers;
  };
  services.port_trouble = [current](int number) {
    if (*current == nullptr) return "Не могу открыть порт COM" + std::to_string(number) + ".";
    return platform::PortTroubleWithFix(number, (*current)->PortName(number),
                                        (*current)->Check(number));
  };
  services.connection_check = [] { return platform::FormatReport(platform::CheckConnection()); };
}

}  // namespace mk::app
