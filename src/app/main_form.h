// The main window: find the MK, read its settings from it or from a file,
// open the editor and the viewers, save the settings and write them back.
#pragma once

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/dialogs.h"
#include "app/window_prompt.h"
#include "device/backup_store.h"
#include "device/transfer.h"
#include "link/clock.h"
#include "link/exchange_log.h"
#include "link/vl_rs.h"
#include "text/ini_file.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace mk::app {

inline constexpr const char* kCaption = "Просмотр и настройка параметров МК (Версия 06.12.19)";
inline constexpr const char* kUnsavedQuestion =
    "Возможно, настройки были изменены, но не сохранены на диске. Сохранить?";
inline constexpr const char* kOverwriteQuestion = "Файл уже существует. Переписать?";
inline constexpr const char* kConnecting = "Не могу подключиться к МК...";

/// What the window needs from outside; the program fills it with the real
/// things, tests with doubles. Empty members get the real defaults.
struct MainFormServices {
  /// The preferences file; empty: beside the program (TMIniFile::DefaultPath).
  std::filesystem::path ini_path;
  /// The program's folder: the file dialogs start there. Empty: the folder of
  /// the running program.
  std::filesystem::path program_dir;
  /// Builds the machine's ports once the preferences are open (they may map
  /// COM numbers to devices).
  std::function<std::unique_ptr<link::ISerialSystem>(const text::IniFile&)> make_ports;
  /// The COM numbers of the MK's USB serial devices, in the order found.
  std::function<std::vector<int>()> find_mk;
  /// What stands between the user and the MK, shown behind "Подробнее" of
  /// the "Не вижу МК." box; none: the box has no such button.
  std::function<std::string()> connection_check;
  /// Boxes and file dialogs; null: the real ones.
  IDialogs* dialogs = nullptr;
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
  /// The editor and the viewers: true when closed with OK.
  std::function<bool(device::TMK&)> edit_dialog;
  std::function<bool(device::TMK&)> journals_dialog;
  std::function<bool(device::TMK&)> osc_dialog;
};

class TMainForm final : public QMainWindow {
  Q_OBJECT

 public:
  explicit TMainForm(MainFormServices services, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Event handlers, public so that tests can run them as the buttons do.
  void FormShow();
  void cbAutoClick();
  void bRS232Click();
  void bGetParamsClick();
  void bLoadParamsClick();
  void bEditParamsClick();
  void bViewJournalsClick();
  void bViewOscClick();
  void bSaveParamsClick();
  void bSetParamsClick();
  /// Offers to save unsaved edits; closing is always allowed.
  bool FormCloseQuery();
  /// Writes the preferences.
  void FormClose();

  bool FindDevice();
  void SaveSettingsFile();

  /// Shows the window restored from the task bar, raised and active (a second
  /// copy of the program asks for this).
  void BringToFront();
  /// Rewrites the status line from where the settings came from and Modified.
  void UpdateStatus();

  link::TVL_RS* Channel() { return rs_.get(); }
  device::TMK* Device() { return mk_.get(); }
  bool Busy() const { return busy_; }

  bool AutoSearch = true;
  bool Modified = false;
  std::uint8_t DeviceAddress = 0;
  std::uint32_t MemorySize = 0;

  QLabel* Label5;
  QCheckBox* cbAuto;
  QPushButton* bRS232;
  QGroupBox* GroupBox1;
  QGroupBox* GroupBox2;
  QGroupBox* GroupBox3;
  QGroupBox* GroupBox4;
  QGroupBox* GroupBox5;
  QGroupBox* GroupBox6;
  QLabel* Label1;
  QLabel* Label2;
  QLabel* Label3;
  QLabel* Label4;
  QLabel* Label6;
  QLabel* Label7;
  QLabel* Label8;
  QPushButton* bGetParams;
  QPushButton* bLoadParams;
  QPushButton* bEditParams;
  QPushButton* bViewJournals;
  QPushButton* bViewOsc;
  QPushButton* bSaveParams;
  QPushButton* bSetParams;
  QLabel* lMZ;
  /// Where the backup of the last write went (not a control of the classic window).
  QLabel* lBackup;
  QLabel* Image1;
  QPlainTextEdit* Memo;
  /// Where the settings held came from and whether they changed since.
  QLabel* StatusLine;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void SetDataButtons(bool enabled);
  /// Saves the MK's memory before a write and shows where it went.
  std::filesystem::path Backup(std::uint16_t device_version, std::span<const std::uint8_t> image);
  /// Opens the exchange log the preferences name, once; a log that cannot be
  /// opened is reported once and the transfer goes on without it.
  void OpenExchangeLog();
  std::string ProgramFolder() const;
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
  /// Runs a button's handler, then brings the status line up to date.
  void Connect(QPushButton* button, void (TMainForm::*handler)());

  /// Where the settings held came from: nothing yet, a file, or the MK.
  enum class Origin { None, LoadedFile, SavedFile, Mk };
  void SetOrigin(Origin origin, const std::string& file = {});

  MainFormServices services_;
  std::unique_ptr<IDialogs> own_dialogs_;
  std::unique_ptr<link::IClock> own_clock_;
  std::unique_ptr<link::IPump> own_pump_;
  std::unique_ptr<link::TVL_RS_Base::IPortDialog> own_port_dialog_;
  IDialogs* dialogs_;
  std::unique_ptr<WindowPrompt> prompt_;
  link::IClock* clock_;
  link::IPump* pump_;
  link::TVL_RS_Base::IPortDialog* port_dialog_;

  std::filesystem::path ini_path_;
  std::unique_ptr<link::ISerialSystem> ports_;
  std::unique_ptr<link::TVL_RS> rs_;
  std::unique_ptr<device::TMK> mk_;
  Origin origin_ = Origin::None;
  std::string origin_file_;  // UTF-8, for a file origin
  std::uint16_t origin_version_ = 0;
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
