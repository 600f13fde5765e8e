// SPDX-License-Identifier: GPL-3.0-or-later
// On Windows the driver and the COM number are the system's business: the
// check only says where to look.
#include "platform/connection_check.h"

namespace mk::platform {

ConnectionReport CheckConnection() {
  ConnectionReport report;
  report.checked.push_back(
      "ничего: проверка подключения написана для Linux; в Windows порт МК виден в Диспетчере "
      "устройств, раздел «Порты (COM и LPT)»");
  return report;
}

}  // namespace mk::platform
