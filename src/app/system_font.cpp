// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/system_font.h"

#include <QApplication>
#include <QFont>

namespace mk::app {

void UseSystemFont([[maybe_unused]] QApplication& app) {
#ifdef Q_OS_WIN
  // The toolkit reads the message box font from the system's own metrics.
  QApplication::setFont(QApplication::font("QMessageBox"));
#endif
}

}  // namespace mk::app
