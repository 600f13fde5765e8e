// SPDX-License-Identifier: GPL-3.0-or-later
// mkconfig: the MK configurator's desktop program.
//
//   mkconfig [FILE]   opens the settings file FILE once the window is up; with
//                     mkconfig already running, that copy opens it
//   mkconfig --help | --version
// Options (for the demo and the tests; a normal start needs none):
//   --ini PATH        use this preferences file instead of the usual one
//   --lock-name NAME  the single-instance lock's name instead of the program's file name
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>

#include <cstdio>
#include <string>

#include "app/just_one.h"
#include "app/main_form.h"
#include "app/platform_services.h"
#include "app/russian_texts.h"
#include "app/start_options.h"
#include "app/system_font.h"
#include "device/transfer.h"
#include "editor/tmk_set_params_dlg.h"
#include "viewers/history_dlg.h"
#include "viewers/journals_dlg.h"
#include "viewers/osc_dialog.h"

#ifndef MK_VERSION
#define MK_VERSION "0"
#endif
// The desktop entry's name, which the package gives the AppStream id.
#ifndef MK_DESKTOP_ID
#define MK_DESKTOP_ID "mkconfig"
#endif

int main(int argc, char* argv[]) {
  // Read before the application object exists: that one needs a display.
  const mk::app::StartOptions options = mk::app::ParseStartOptions(argc, argv);
  if (options.help) {
    std::fputs(mk::app::StartUsage(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("mkconfig %s\n", MK_VERSION);
    return 0;
  }
  QApplication app(argc, argv);
  const QString& ini = options.ini;
  QString lock_name = options.lock_name;
  if (lock_name.isEmpty()) lock_name = QFileInfo(QApplication::applicationFilePath()).fileName();

  // Made absolute now: a running copy has a current folder of its own.
  const std::string settings_file =
      options.settings_file.isEmpty()
          ? std::string()
          : QFileInfo(options.settings_file).absoluteFilePath().toStdString();
  // A second copy brings the first to the front, hands it the file, and ends
  // here, before it shows anything.
  mk::app::TJustOne just_one(lock_name.toStdString());
  if (!just_one.OwnsLock()) {
    just_one.WakeFirstCopy(settings_file);
    return 0;
  }
  mk::app::InstallRussianTexts(app);
  // An installed program: desktops match its windows to its menu entry, and
  // the windows carry the icon of the icon theme.
  QGuiApplication::setDesktopFileName(MK_DESKTOP_ID);
  if (const QIcon icon = QIcon::fromTheme("mkconfig"); !icon.isNull())
    QApplication::setWindowIcon(icon);
  mk::app::UseSystemFont(app);

  mk::app::MainFormServices services;
  // Made absolute now, as the file to open is.
  if (!ini.isEmpty()) services.ini_path = QFileInfo(ini).absoluteFilePath().toStdU16String();
  services.settings_file = settings_file;
  mk::app::UsePlatformPorts(services);
  services.read_settings = &mk::device::ReadSettings;
  services.write_settings = &mk::device::WriteSettings;

  services.edit_dialog = &mk::editor::RunSettingsEditor;
  services.journals_dialog = &mk::viewers::RunJournals;
  services.osc_dialog = &mk::viewers::RunOscilloscope;
  services.history_window = &mk::viewers::RunHistory;

  mk::app::TMainForm form(std::move(services));
  just_one.OnLaterCopy([&form](const std::string& file) {
    form.BringToFront();
    if (!file.empty()) form.OpenHandedFile(file);
  });
  if (const QScreen* screen = QApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    form.move(area.center() - QPoint(form.width() / 2, form.height() / 2));
  }
  form.show();
  return QApplication::exec();
}
