// mkconfig: the MK configurator's desktop program.
//
//   mkconfig [FILE]   opens the settings file FILE once the window is up
// Options (for the demo and the tests; a normal start needs none):
//   --ini PATH        use this preferences file instead of the usual one
//   --lock-name NAME  the single-instance lock's name instead of the program's file name
#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>
#include <QStandardPaths>

#include <string>

#include "app/dialogs.h"
#include "app/just_one.h"
#include "app/main_form.h"
#include "app/platform_services.h"
#include "app/russian_texts.h"
#include "app/start_options.h"
#include "app/system_font.h"
#include "device/transfer.h"
#include "editor/tmk_set_params_dlg.h"
#include "viewers/journals_service.h"
#include "viewers/osc_dialog.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  const mk::app::StartOptions options = mk::app::ParseStartOptions(QApplication::arguments());
  const QString& ini = options.ini;
  QString lock_name = options.lock_name;
  if (lock_name.isEmpty()) lock_name = QFileInfo(QApplication::applicationFilePath()).fileName();

  // A second copy brings the first to the front and ends here, before it shows anything.
  mk::app::TJustOne just_one(lock_name.toStdString());
  if (!just_one.OwnsLock()) {
    just_one.WakeFirstCopy();
    return 0;
  }
  mk::app::InstallRussianTexts(app);
  // An installed program: desktops match its windows to its menu entry, and
  // the windows carry the icon of the icon theme.
  QGuiApplication::setDesktopFileName("mkconfig");
  if (const QIcon icon = QIcon::fromTheme("mkconfig"); !icon.isNull())
    QApplication::setWindowIcon(icon);
  mk::app::UseSystemFont(app);

  mk::app::MainFormServices services;
  // Made absolute now: start-up changes the current folder to the program's.
  if (!ini.isEmpty()) services.ini_path = QFileInfo(ini).absoluteFilePath().toStdU16String();
  if (!options.settings_file.isEmpty())
    services.settings_file = QFileInfo(options.settings_file).absoluteFilePath().toStdString();
  mk::app::UsePlatformPorts(services);
  services.read_settings = &mk::device::ReadSettings;
  services.write_settings = &mk::device::WriteSettings;

  mk::app::TMainForm* form_ptr = nullptr;
  // Exports start in the documents folder: an installed program cannot write beside itself.
  const std::string exports =
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
  // The editor's range errors and messages are the toolkit's boxes over the editor.
  mk::app::QtDialogs editor_prompt;
  services.edit_dialog = [&form_ptr, &editor_prompt](mk::device::TMK& mk) {
    return mk::editor::RunSettingsEditor(mk, editor_prompt, form_ptr);
  };
  services.edit_dialog_at = [&form_ptr, &editor_prompt](mk::device::TMK& mk,
                                                        const std::string& setting) {
    return mk::editor::RunSettingsEditor(mk, editor_prompt, form_ptr, setting);
  };
  services.journals_dialog = mk::viewers::JournalsDialog(
      {.parent = [&form_ptr] { return static_cast<QWidget*>(form_ptr); },
       .program_folder = exports,
       .dialogs = nullptr,
       // A clearing kept with OK changes the settings: the close question and
       // the write step must know.
       .cleared = [&form_ptr] { form_ptr->MarkModified(); }});
  services.osc_dialog = [&form_ptr, &exports](mk::device::TMK& mk) {
    return mk::viewers::RunOscDialog(mk, form_ptr, exports);
  };

  mk::app::TMainForm form(std::move(services));
  form_ptr = &form;
  just_one.OnLaterCopy([&form] { form.BringToFront(); });
  if (const QScreen* screen = QApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    form.move(area.center() - QPoint(form.width() / 2, form.height() / 2));
  }
  form.show();
  return QApplication::exec();
}
