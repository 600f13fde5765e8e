// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: find the MK, read its settings from it or from a file,
// open the editor and the viewers, save the settings and write them back.
#pragma once

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/window_prompt.h"
#include "device/backup_store.h"
#include "device/transfer.h"
#include "link/clock.h"
#include "link/exchange_log.h"
#include "link/vl_rs.h"
#include "text/ini_file.h"
#include "widgets/dialogs.h"
#include "widgets/window_environment.h"

class QAction;
class QCheckBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QVBoxLayout;

namespace mk::app {

inline constexpr const char* kCaption = "Просмотр и настройка параметров МК (Версия 06.12.19)";
inline constexpr const char* kUnsavedQuestion =
    "Возможно, настройки были изменены, но не сохранены на диске. Сохранить?";
inline constexpr const char* kOverwriteQuestion = "Файл уже существует. Переписать?";
inline constexpr const char* kConnecting = "Не могу подключиться к МК...";
/// What F1 shows: the steps, the keys and where the rest lives.
inline constexpr const char* kHelpText =
    "Конфигуратор МК: настройки бортового компьютера МК.\n\n"
    "Шаг 1. Считайте настройки из МК (Ctrl+R) или из файла на диске (Ctrl+O). МК ищется на его "
    "порту USB; без автоматического поиска порт выбирается вручную.\n"
    "Шаг 2. Измените настройки в редакторе (Ctrl+E); шаги 2a и 2b показывают журналы и данные "
    "осциллографа.\n"
    "Шаг 3. Сохраните настройки в файл на диске (Ctrl+S).\n"
    "Шаг 4. Запишите настройки в МК (Ctrl+Shift+M). Перед записью программа показывает, что "
    "изменится, и сохраняет копию памяти МК.\n\n"
    "Меню «Настройки» (F10) сравнивает настройки с файлом и с МК, восстанавливает резервную "
    "копию и берёт страницы из другого файла. Alt и подчёркнутая буква нажимают кнопку.\n\n"
    "Файл настроек (*.vrnkp) можно открыть двойным щелчком или перетащить в окно. Что мешает "
    "подключиться к МК, подробно пишет mkctl doctor.";

/// What the window needs from outside; the program fills it with the real
/// things, tests with doubles. Empty members get the real defaults.
struct MainFormServices {
  /// The preferences file; empty: beside the program (TMIniFile::DefaultPath).
  std::filesystem::path ini_path;
  /// The program's folder: the backups and the history go there when the user
  /// has no data folder. Empty: the folder of the running program.
  std::filesystem::path program_dir;
  /// Builds the machine's ports once the preferences are open (they may map
  /// COM numbers to devices).
  std::function<std::unique_ptr<link::ISerialSystem>(const text::IniFile&)> make_ports;
  /// The COM numbers of the MK's USB serial devices, in the order found.
  std::function<std::vector<int>()> find_mk;
  /// What stands between the user and the MK, shown behind "Подробнее" of
  /// the "Не вижу МК." box; none: the box has no such button.
  std::function<std::string()> connection_check;
  /// Why COM port `number` will not open and what to do about it
  /// (platform::PortTroubleWithFix); none: the message only says it will not.
  std::function<std::string(int number)> port_trouble;
  /// Boxes and file dialogs; null: the real ones.
  widgets::IDialogs* dialogs = nullptr;
  link::IClock* clock = nullptr;
  link::IPump* pump = nullptr;
  link::TVL_RS_Base::IPortDialog* port_dialog = nullptr;
  /// The device procedures that read and write the MK (device::ReadSettings
  /// and device::WriteSettings in the program).
  std::function<device::TransferResult(link::TVL_RS&, device::TMK&, link::IProgress&, link::IPump&,
                                       device::Connection*)>
      read_settings;
  std::function<device::TransferResult(link::TVL_RS&, device::TMK&, link::IProgress&, link::IPump&,
                                       link::IUserPrompt&, device::Connection*,
                                       const device::WriteOptions&)>
      write_settings;
  /// Where the backups of the MK's memory go unless the preferences say
  /// otherwise; empty: the user's data folder (platform::BackupsDir).
  std::filesystem::path backup_dir;
  /// The folder of the trip history that «О программе» names; empty: the one
  /// mkctl history keeps it in (platform::HistoryPath).
  std::filesystem::path history_dir;
  /// The editor and the viewers (editor::RunSettingsEditor,
  /// viewers::RunJournals, viewers::RunOscilloscope in the program), run over
  /// the window with its boxes, starting their file dialogs where the
  /// window's do.
  widgets::WindowRun edit_dialog;
  /// Where the file dialogs start the first time; empty: the user's documents folder.
  std::filesystem::path documents_dir;
  widgets::WindowRun journals_dialog;
  widgets::WindowRun osc_dialog;
  /// The history window (viewers::RunHistory in the program).
  widgets::HistoryRun history_window;
  /// The history of trips each read is merged into; empty: the user's data
  /// folder (platform::HistoryPath).
  std::filesystem::path history_path;
  /// A settings file (UTF-8 path) to load as soon as the window is up, as if
  /// chosen in the open dialog; empty: none. The program's argument fills it,
  /// so a file opened from the file manager lands in the window.
  std::string settings_file;
};

/// Whether `path` (UTF-8) names a tank settings file (*.vrnko, any case).
bool IsTankFileName(const std::string& path);

class TMainForm final : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(MainFormServices services, QWidget* parent = nullptr);
  ~TMainForm() override;

  /// Shows the window restored from the task bar, raised and active (a second
  /// copy of the program asks for this).
  void BringToFront();
  /// Loads the settings file at `path` (UTF-8) that a later copy of the
  /// program was started with, as the open dialog would, asking first when
  /// edits are unsaved; while a transfer, the editor or a box is up, once
  /// they are gone.
  void OpenHandedFile(const std::string& path);

  link::TVL_RS* Channel() { return rs_.get(); }
  device::TMK* Device() { return mk_.get(); }
  bool Busy() const { return busy_; }
  /// True while the settings held have changes that are not saved in a file.
  bool IsModified() const { return modified_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // What the controls do; each button's and menu entry's handler is named
  // for its task (the object names stay those of the classic window).
  /// Runs once, when the window is first shown: the preferences, the channel
  /// and the port they name.
  void FirstShow();
  void AutoSearchClicked();
  void ChoosePort();
  void ReadFromMk();
  void LoadFromFile();
  void EditSettings();
  void ViewJournals();
  void ViewOscilloscope();
  void SaveToFile();
  void WriteToMk();
  // The menu "Настройки": the held settings against a file, the MK or a backup.
  void CompareWithFile();
  void CompareWithMk();
  void RestoreBackup();
  void TakeFromFile();
  void UndoTake();
  /// Loads the settings file at `path` (UTF-8) as the open dialog's choice
  /// would (a dropped file, the file named at start); a file that is refused
  /// is reported and changes nothing.
  void LoadFile(const std::string& path);
  /// A tank settings file (*.vrnko) opened from outside (the file manager, a
  /// later copy, a drop): the calibration belongs to held settings, so the
  /// editor opens on its page «Бак» with the file loaded there; with no
  /// settings held the status line says why nothing opened.
  void OpenTankFile(const std::string& path);
  /// Runs the settings editor over the held settings; `tank_file` as OpenTankFile.
  void RunEditor(const widgets::WindowEnvironment& environment);
  /// Runs `window` inside the model's `transaction` (the editor's, the
  /// journals'), with a failure shown and what the window changed taken.
  void RunOverSettings(bool (device::TMK::*transaction)(const device::TMK::Dialog&),
                       const widgets::WindowRun& window,
                       const widgets::WindowEnvironment& environment);
  /// After a window over the held settings: what it changed is unsaved, and
  /// "Взять из файла" can no longer be undone without undoing that too.
  void TakeOutcome(const widgets::WindowOutcome& outcome);
  /// Loads the handed file now or, while the window is not free, later.
  void TakeHandedFile();
  /// The folder of the trip history (services_.history_dir, else platform's).
  std::filesystem::path HistoryFolder() const;
  /// Where the file dialogs start: the folder last used, else the documents folder.
  std::string FileFolder() const;
  /// The name the save dialog offers: "МК-v515-2026-12-08.vrnkp".
  std::string SuggestedName() const;
  /// Before unsaved edits are replaced or left: asks Да / Нет / Отмена.
  /// True to go on (no edits, Нет, or Да and the save finished); false to
  /// stay where the user is (Отмена, or the save was cancelled or failed).
  bool MayDropEdits();
  /// Writes the preferences.
  void SavePreferences();
  /// With automatic search on, opens the first port where the MK was found;
  /// false (after saying so) when there is none. With it off, true at once.
  bool FindMk();
  /// The save dialog, then the file; a cancelled or failed save changes
  /// nothing and returns false.
  bool SaveWithDialog();
  /// Whether the MK's port is searched for before each transfer (the check box "cbAuto").
  bool AutoSearch() const;
  /// Rewrites the status line from where the settings came from and whether they changed.
  void UpdateStatus();

  void BuildControls();
  /// Steps 1 and 2 under the warning and the port choice.
  QWidget* BuildLeftColumn(QWidget* central);
  void BuildPortChoice(QWidget* left, QVBoxLayout* layout);
  /// Steps 2a to 4, the backup note and the picture.
  QWidget* BuildRightColumn(QWidget* central);
  void BuildBackupNote(QWidget* right, QVBoxLayout* layout);
  void AssignShortcuts();
  void ConnectControls();
  void FitFixedSize(QWidget* central);
  void BuildMenu();
  /// Keeps the folder of `path` for the next file dialog (and in the preferences).
  void RememberFolder(const std::string& path);
  /// What the editor and the viewers are run with: over this window, with
  /// its boxes, file dialogs starting where the window's do.
  widgets::WindowEnvironment WindowEnvironment(std::string focus = {});
  /// Asks before a write: the change list from the MK as read to what will be
  /// written; the unticked changes are taken out of `to_write`.
  bool AskWrite(const device::TMK& fresh, device::TMK& to_write);
  /// The settings of a file chosen in the open dialog; nullopt when cancelled or refused.
  std::optional<device::TMK> ChooseSettingsFile(std::string* chosen = nullptr);
  /// Shows a compare list and opens the editor at a double-clicked setting,
  /// or takes the ticked settings.
  void ShowCompare(const std::string& title, const std::string& intro, const device::TMK& other);
  // Taking some settings of another image, as one step "aUndoTake" undoes
  // (main_form_differences.cpp), and the settings as text (main_form_presets.cpp).
  /// Fills `view`'s list with what taking `other` offers, shows it with ticks
  /// and takes the ticked ones.
  void OfferToTake(widgets::ChangesView& view, const device::TMK& other, const QString& from);
  /// Lays the chosen settings of `other` over the held ones as one undoable step;
  /// the status line names `from`.
  void TakeSettings(const device::TMK& other, const std::vector<const settings::Setting*>& chosen,
                    const QString& from);
  void BuildPresetMenu(QMenu* menu);
  // The history of trips (main_form_history.cpp): each read merged into it,
  // a settings file added to it, its window.
  void BuildHistoryMenu();
  std::filesystem::path HistoryFile() const;
  /// Enables the history's window once there is a history.
  void UpdateHistoryAction();
  /// Merges the journals just read into the history; a failure is reported
  /// and leaves the read as it was.
  void ImportReadIntoHistory();
  void ImportFileIntoHistory();
  void ViewHistory();
  void SavePagesAsText();
  void LoadFromText();
  /// The buttons and menu items that need held settings, and the undo of
  /// "Взять из файла", enabled as the state says.
  void UpdateActions();
  /// Saves the MK's memory before a write and shows where it went.
  std::filesystem::path Backup(std::uint16_t device_version, std::span<const std::uint8_t> image);
  /// Opens the exchange log the preferences name, once; a log that cannot be
  /// opened is reported once and the transfer goes on without it.
  void OpenExchangeLog();
  /// `path` as it stands when absolute, else beside the program: where the
  /// backups and the history go for a user without a data folder.
  std::filesystem::path BesideProgram(const std::filesystem::path& path) const;
  /// Blocks the window's controls while a transfer runs; the destructor
  /// gives them back exactly as they were.
  class BusyScope;
  using Transfer =
      std::function<device::TransferResult(link::IProgress&, device::Connection& found)>;
  /// One exchange with the MK on its own channel: the port reopened at the MK's
  /// speed (a port that will not open is reported and nothing runs) and the
  /// progress window up while `transfer` runs. When it ends Done the MK's
  /// address and memory size are kept and `done` runs. Every box of the
  /// transfer, an error it throws included, comes once the progress window is
  /// gone and the port is released.
  void RunTransfer(const Transfer& transfer, const std::function<void()>& done = {});
  /// Once a handler's windows and dialogs have closed: the window is active
  /// again (Windows may leave no window of the program active).
  void TakeFocusBack();
  /// Runs a button's handler, then brings the status line up to date.
  void Connect(QPushButton* button, void (TMainForm::*handler)());

  /// Where the settings held came from: nothing yet, a file, or the MK.
  enum class Origin { None, LoadedFile, SavedFile, Mk, Written, Backup };
  void SetOrigin(Origin origin, const std::string& file = {});
  bool HoldsSettings() const { return origin_ != Origin::None; }

  MainFormServices services_;
  std::unique_ptr<widgets::IDialogs> own_dialogs_;
  std::unique_ptr<link::IClock> own_clock_;
  std::unique_ptr<link::IPump> own_pump_;
  std::unique_ptr<link::TVL_RS_Base::IPortDialog> own_port_dialog_;
  widgets::IDialogs* dialogs_;
  std::unique_ptr<WindowPrompt> prompt_;
  link::IClock* clock_;
  link::IPump* pump_;
  link::TVL_RS_Base::IPortDialog* port_dialog_;

  // The controls used after the window is built; the rest are found by
  // their object names only.
  QCheckBox* auto_search_box_ = nullptr;
  QPushButton* choose_port_button_ = nullptr;
  QPushButton* read_button_ = nullptr;
  QPushButton* load_button_ = nullptr;
  QPushButton* edit_button_ = nullptr;
  QPushButton* journals_button_ = nullptr;
  QPushButton* osc_button_ = nullptr;
  QPushButton* save_button_ = nullptr;
  QPushButton* write_button_ = nullptr;
  /// The classic window's red "MZ" mark, hidden once the window is up.
  QLabel* mz_mark_ = nullptr;
  /// Where the backup of the last write went (not a control of the classic window).
  QLabel* backup_note_ = nullptr;
  /// The COM numbers the last search found (hidden, as in the classic window).
  QPlainTextEdit* found_ports_ = nullptr;
  /// Where the settings held came from and whether they changed since.
  QLabel* status_line_ = nullptr;
  /// "Нет свободного COM-порта!" at the right of the status line while the
  /// last look at the ports found none.
  QLabel* port_line_ = nullptr;
  /// What the last action did, ahead of the status line until the next one (UTF-8).
  std::string note_;
  /// At the status line's end once the exchange log stopped short (a full disk).
  QLabel* log_note_ = nullptr;
  // Comparing and taking need held settings: they follow the data buttons.
  QAction* compare_file_action_ = nullptr;
  QAction* compare_mk_action_ = nullptr;
  QAction* restore_action_ = nullptr;
  QAction* take_from_file_action_ = nullptr;
  QAction* undo_take_action_ = nullptr;
  QAction* history_action_ = nullptr;

  std::filesystem::path ini_path_;
  std::unique_ptr<link::ISerialSystem> ports_;
  std::unique_ptr<link::TVL_RS> rs_;
  std::unique_ptr<device::TMK> mk_;
  bool modified_ = false;
  /// The MK's address and memory size as the last finished transfer found them.
  device::Connection found_;
  Origin origin_ = Origin::None;
  std::string origin_file_;  // UTF-8, for a file origin
  std::uint16_t origin_version_ = 0;
  std::string written_at_;   // "08.12.2026 в 18:05", for Origin::Written
  std::string last_folder_;  // UTF-8; empty: none used yet
  std::string handed_file_;  // UTF-8; a later copy's file waiting to be loaded
  /// The image before the last "Взять из файла…", for its undo.
  std::optional<std::pair<std::uint16_t, std::vector<std::uint8_t>>> before_take_;
  bool modified_before_take_ = false;
  std::unique_ptr<device::BackupStore> backups_;
  std::filesystem::path log_path_;  // empty: no exchange log
  // The MK's address that answered last on each COM number, asked first next
  // time; kept in the preferences ("RS232", "Address<N>").
  std::array<std::uint8_t, link::kMaxPorts + 1> answered_at_{};
  std::unique_ptr<link::ExchangeLogFile> log_;
  bool log_tried_ = false;
  bool shown_ = false;
  bool closed_ = false;
  bool busy_ = false;
};

}  // namespace mk::app
