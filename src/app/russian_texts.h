// SPDX-License-Identifier: GPL-3.0-or-later
// The toolkit's own texts in Russian: the file dialogs, the standard buttons
// of questions ("Да", "Нет", "Отмена"), context menus.
#pragma once

class QCoreApplication;
class QTranslator;

namespace mk::app {

/// Loads the toolkit's Russian translations (qtbase_ru: the copy built into
/// the program when there is one, else the toolkit's translations folder)
/// into `app`. Number and date formats stay the
/// system's, as the program's exports and the MK's values expect.
/// Returns the installed translator (owned by `app`), or null when the
/// translations are not installed: the program then runs with the toolkit's
/// English texts.
QTranslator* InstallRussianTexts(QCoreApplication& app);

}  // namespace mk::app
