// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/system_font.h"
#include "widgets/qt_text.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace mk::app {

QString ChooseUiFamily(const QString& wanted, const QStringList& installed) {
  // Newest first: what Windows 10 and 11 use, then older systems, then the
  // faces Wine and Linux desktops carry.
  static const char* const kSansFaces[] = {"Segoe UI",  "Tahoma",          "Microsoft Sans Serif",
                                           "Arial",     "Liberation Sans", "DejaVu Sans",
                                           "Noto Sans", "Ubuntu"};
  const auto has = [&installed](const QString& family) {
    return installed.contains(family, Qt::CaseInsensitive);
  };
  if (has(wanted)) return wanted;
  for (const char* face : kSansFaces) {
    if (has(widgets::Q(face))) return widgets::Q(face);
  }
  return wanted;
}

void UseSystemFont([[maybe_unused]] QApplication& app) {
#ifdef Q_OS_WIN
  // The toolkit reads the message box font from the system's own metrics.
  QFont font = QApplication::font("QMessageBox");
  font.setFamilies({ChooseUiFamily(font.family(), QFontDatabase::families())});
  font.setStyleHint(QFont::SansSerif);
  QApplication::setFont(font);
  QApplication::setFont(font, "QMessageBox");
#endif
}

}  // namespace mk::app
