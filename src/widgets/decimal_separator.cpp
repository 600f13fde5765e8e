// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/decimal_separator.h"

#include <QLocale>

namespace mk::widgets {

char DecimalSeparator() {
  return QLocale::system().decimalPoint() == QStringLiteral(",") ? ',' : '.';
}

}  // namespace mk::widgets
