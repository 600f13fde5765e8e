// SPDX-License-Identifier: GPL-3.0-or-later
// A tank settings file opened from outside the editor: it holds only the
// tank calibration, so it goes into held settings through the editor's tank
// page, where the user sees it and keeps it with OK or leaves it with Cancel.
#include <QString>

#include "app/main_form.h"
#include "text/utf8_path.h"
#include "widgets/qt_text.h"

namespace mk::app {

bool IsTankFileName(const std::string& path) {
  return widgets::Q(path).endsWith(QStringLiteral(".vrnko"), Qt::CaseInsensitive);
}

void TMainForm::OpenTankFile(const std::string& path) {
  if (busy_ || !mk_) return;
  if (origin_ == Origin::None) {
    // Nothing to put it into: the calibration is a part of the MK's settings.
    note_ = "Файл настроек бака «" + text::FileNameText(path) +
            "» не открыт: сначала считайте настройки из МК или из файла, затем откройте его снова";
    return;
  }
  // The editor adds the file to what is held, so unsaved edits stay: nothing to ask.
  widgets::WindowEnvironment environment = WindowEnvironment();
  environment.tank_file = path;
  RunEditor(environment);
}

}  // namespace mk::app
