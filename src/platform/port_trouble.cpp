// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/port_trouble.h"

namespace mk::platform {

std::string PortTrouble(int number, const std::string& name, const PortCheck& check) {
  const std::string com = "COM" + std::to_string(number);
  std::string reason = check.reason;
  if (reason.empty())
    reason = check.state == PortState::kFree ? "открылся только при проверке" : "нет устройства";
  return "Порт " + com + (name.empty() || name == com ? "" : " (" + name + ")") +
         " недоступен: " + reason + ".";
}

std::string PortFix(PortState state) {
  switch (state) {
    case PortState::kFree:
      return "Повторите: сейчас порт открывается.";
    case PortState::kMissing:
      return "Подключите МК кабелем USB и включите его, затем выберите порт снова или включите "
             "«Искать МК автоматически».";
    case PortState::kNoAccess:
      return "Дайте себе доступ к порту: установите правило udev, которое идёт с программой, или "
             "войдите в группу порта; что именно сделать, пишет mkctl doctor.";
    case PortState::kBusy:
#ifdef _WIN32
      return "Закройте программу, которая держит порт (терминал, другую программу для МК), и "
             "повторите.";
#else
      return "Закройте программу, которая держит порт (терминал, другую программу для МК, "
             "ModemManager), и повторите; какая это программа, пишет mkctl doctor.";
#endif
    case PortState::kFailed:
      break;
  }
  return "Отключите устройство, подключите его снова и повторите.";
}

std::string PortTroubleWithFix(int number, const std::string& name, const PortCheck& check) {
  return PortTrouble(number, name, check) + "\n" + PortFix(check.state);
}

}  // namespace mk::platform
