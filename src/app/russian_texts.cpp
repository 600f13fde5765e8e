// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/russian_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace mk::app {

QTranslator* InstallRussianTexts(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  // Built into the program where the system has no toolkit translations
  // (Windows); otherwise the system's own.
  const bool loaded =
      translator->load(QStringLiteral("qtbase_ru"), QStringLiteral(":/translations")) ||
      translator->load(QStringLiteral("qtbase_ru"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (!loaded || !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return nullptr;
  }
  return translator;
}

}  // namespace mk::app
