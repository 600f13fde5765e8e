// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_form.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <exception>
#include <utility>

#include "app/about_dialog.h"
#include "app/logo.h"
#include "app/m_ini_file.h"
#include "app/port_dialog.h"
#include "app/progress_form.h"
#include "device/atomic_file.h"
#include "device/mk.h"
#include "device/settings_file.h"
#include "platform/prefs_path.h"
#include "text/utf8_path.h"
#include "widgets/qt_text.h"

namespace mk::app {
using text::PathFromUtf8;
using widgets::Q;
using widgets::QtDialogs;

namespace {

constexpr std::uint32_t kBaud = 115200;
constexpr int kColumnWidth = 400;
constexpr int kMinWidth = 810;
constexpr int kMinHeight = 401;

/// One of the two fixed-width columns of steps, with its layout.
QVBoxLayout* Column(QWidget* central) {
  auto* column = new QWidget(central);
  column->setFixedWidth(kColumnWidth);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(8);
  return layout;
}

QLabel* WrappedLabel(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(Q(text), parent);
  label->setObjectName(name);
  label->setWordWrap(true);
  return label;
}

QPushButton* Button(const char* name, const char* text, QWidget* parent) {
  auto* button = new QPushButton(Q(text), parent);
  button->setObjectName(name);
  button->setMinimumHeight(26);
  return button;
}

/// A "Шаг" group: explanation above its button (or two of each for step 1).
QGroupBox* Step(const char* name, const char* title, QWidget* parent,
                std::initializer_list<QWidget*> children) {
  auto* group = new QGroupBox(Q(title), parent);
  group->setObjectName(name);
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(8, 6, 8, 8);
  layout->setSpacing(6);
  for (QWidget* child : children) {
    child->setParent(group);
    layout->addWidget(child);
  }
  return group;
}

/// `path` in at most `width` pixels: the file name whole and the folders
/// shortened in the middle, so that both the start and the name stay readable.
QString FittedPath(const QString& path, const QFontMetrics& metrics, int width) {
  if (metrics.horizontalAdvance(path) <= width) return path;
  const qsizetype cut = std::max(path.lastIndexOf('/'), path.lastIndexOf('\\')) + 1;
  const QString name = path.mid(cut);
  const int room = width - metrics.horizontalAdvance(name);
  if (room < metrics.horizontalAdvance(QStringLiteral("/…/"))) {
    return metrics.elidedText(path, Qt::ElideMiddle, width);
  }
  return metrics.elidedText(path.left(cut), Qt::ElideMiddle, room) + name;
}

/// Shows `keys` greyed at the right end of `button`, so that the combination
/// is seen without hovering; the caption itself stays as it was.
void ShowKeys(QPushButton* button, const QKeySequence& keys) {
  auto* shown = new QLabel(keys.toString(QKeySequence::NativeText), button);
  shown->setAttribute(Qt::WA_TransparentForMouseEvents);
  shown->setForegroundRole(QPalette::PlaceholderText);
  auto* layout = new QHBoxLayout(button);
  layout->setContentsMargins(0, 0, 8, 0);
  layout->addStretch(1);
  layout->addWidget(shown);
}

}  // namespace

class TMainForm::BusyScope {
 public:
  explicit BusyScope(TMainForm& form) : form_(form) {
    form_.busy_ = true;
    // Disabling the parent leaves every control's own enabled flag alone, so
    // enabling it again restores exactly the states of before.
    form_.centralWidget()->setEnabled(false);
  }
  ~BusyScope() {
    form_.centralWidget()->setEnabled(true);
    form_.busy_ = false;
  }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

 private:
  TMainForm& form_;
};

TMainForm::TMainForm(MainFormServices services, QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      services_(std::move(services)) {
  setObjectName("MainForm");
  setWindowTitle(Q(kCaption));

  if (services_.dialogs == nullptr) own_dialogs_ = std::make_unique<QtDialogs>(this);
  dialogs_ = services_.dialogs != nullptr ? services_.dialogs : own_dialogs_.get();
  if (services_.clock == nullptr) own_clock_ = std::make_unique<link::SteadyClock>();
  clock_ = services_.clock != nullptr ? services_.clock : own_clock_.get();
  if (services_.pump == nullptr) own_pump_ = std::make_unique<QtPump>();
  pump_ = services_.pump != nullptr ? services_.pump : own_pump_.get();
  if (services_.port_dialog == nullptr) own_port_dialog_ = std::make_unique<QtPortDialog>(this);
  port_dialog_ = services_.port_dialog != nullptr ? services_.port_dialog : own_port_dialog_.get();
  prompt_ = std::make_unique<WindowPrompt>(*dialogs_, *this);

  BuildControls();
}

TMainForm::~TMainForm() = default;

void TMainForm::BuildControls() {
  auto* central = new QWidget(this);
  central->setObjectName("Client");
  setCentralWidget(central);

  QWidget* left = BuildLeftColumn(central);
  QWidget* right = BuildRightColumn(central);

  found_ports_ = new QPlainTextEdit(central);
  found_ports_->setObjectName("Memo");
  found_ports_->setReadOnly(true);
  found_ports_->hide();

  auto* columns = new QHBoxLayout(central);
  columns->setContentsMargins(4, 4, 4, 4);
  columns->setSpacing(2);
  columns->addWidget(left, 0, Qt::AlignTop);
  columns->addWidget(right);

  status_line_ = new QLabel(this);
  status_line_->setObjectName("StatusLine");
  statusBar()->setSizeGripEnabled(false);
  statusBar()->addWidget(status_line_, 1);
  port_line_ = new QLabel(Q(link::kNoFreePort), this);
  port_line_->setObjectName("PortStatus");
  port_line_->setStyleSheet("color: #d00000; font-weight: bold;");
  port_line_->hide();
  statusBar()->addPermanentWidget(port_line_);
  log_note_ = new QLabel(this);
  log_note_->setObjectName("LogNote");
  statusBar()->addPermanentWidget(log_note_);
  log_note_->hide();

  UpdateStatus();
  BuildMenu();
  BuildHistoryMenu();
  AddAboutMenu(*this, [this] {
    return AboutFacts{ini_path_, backups_ ? backups_->Folder() : std::filesystem::path(),
                      HistoryFolder()};
  });
  setAcceptDrops(true);
  AssignShortcuts();
  ConnectControls();
  FitFixedSize(central);
}

QWidget* TMainForm::BuildLeftColumn(QWidget* central) {
  QVBoxLayout* layout = Column(central);
  QWidget* left = layout->parentWidget();
  BuildPortChoice(left, layout);

  QLabel* read_hint = WrappedLabel("Label2",
                                   "Для адекватного отображения возможных вариантов настроек "
                                   "считайте текущие настройки МК,",
                                   nullptr);
  read_button_ = Button("bGetParams", "&Считать настройки из МК", nullptr);
  QLabel* load_hint = WrappedLabel(
      "Label6", "или, если Вы ранее уже сохраняли настройки на диск, считайте файл с диска.",
      nullptr);
  load_button_ = Button("bLoadParams", "Считать настройки из &файла на диске", nullptr);
  layout->addWidget(
      Step("GroupBox1", "Шаг 1", left, {read_hint, read_button_, load_hint, load_button_}));

  QLabel* edit_hint = WrappedLabel("Label3", "Произведите изменения настроек.", nullptr);
  edit_button_ = Button("bEditParams", "&Редактировать настройки", nullptr);
  layout->addWidget(Step("GroupBox2", "Шаг 2", left, {edit_hint, edit_button_}));

  mz_mark_ = new QLabel("MZ", left);
  mz_mark_->setObjectName("lMZ");
  mz_mark_->setStyleSheet("color: #d00000; font-weight: bold; font-size: 20pt;");
  layout->addWidget(mz_mark_);
  layout->addStretch(1);
  return left;
}

void TMainForm::BuildPortChoice(QWidget* left, QVBoxLayout* layout) {
  QLabel* warning = WrappedLabel("Label5",
                                 "Внимание! Для правильной работы программы\nНЕОБХОДИМО\n"
                                 "предварительно загрузить в МК последнюю версию ПО.",
                                 left);
  warning->setAlignment(Qt::AlignCenter);
  warning->setStyleSheet("color: #d00000; font-weight: bold;");
  layout->addWidget(warning);

  auto* port_row = new QHBoxLayout();
  auto_search_box_ = new QCheckBox(QStringLiteral("&Искать МК автоматически"), left);
  auto_search_box_->setObjectName("cbAuto");
  choose_port_button_ = Button("bRS232", "Выбрать СОМ-&порт вручную", left);
  port_row->addWidget(auto_search_box_);
  port_row->addStretch(1);
  port_row->addWidget(choose_port_button_);
  layout->addLayout(port_row);
}

QWidget* TMainForm::BuildRightColumn(QWidget* central) {
  QVBoxLayout* layout = Column(central);
  QWidget* right = layout->parentWidget();

  QLabel* journals_hint =
      WrappedLabel("Label7", "Просмотрите журналы поездок, заправок. и ошибок", nullptr);
  journals_button_ = Button("bViewJournals", "Просмотреть &журналы", nullptr);
  layout->addWidget(Step("GroupBox5", "Шаг 2a", right, {journals_hint, journals_button_}));

  QLabel* osc_hint = WrappedLabel("Label8", "Просмотрите записанные данные осциллографа", nullptr);
  osc_button_ = Button("bViewOsc", "Просмотреть данные &осциллографа", nullptr);
  layout->addWidget(Step("GroupBox6", "Шаг 2b", right, {osc_hint, osc_button_}));

  QLabel* save_hint = WrappedLabel("Label4",
                                   "Для возможности повторного просмотра или редактирования "
                                   "сохраните настройки на диск.",
                                   nullptr);
  save_button_ = Button("bSaveParams", "Сохранить настройки в файл на &диске", nullptr);
  layout->addWidget(Step("GroupBox3", "Шаг 3", right, {save_hint, save_button_}));

  QLabel* write_hint = WrappedLabel("Label1", "Запишите настройки в МК", nullptr);
  write_button_ = Button("bSetParams", "&Записать настройки в МК", nullptr);
  layout->addWidget(Step("GroupBox4", "Шаг 4", right, {write_hint, write_button_}));

  BuildBackupNote(right, layout);
  layout->addStretch(1);

  auto* logo = new QLabel(right);
  logo->setObjectName("Image1");
  logo->setPixmap(MakeLogo());
  logo->setFixedSize(240, 40);
  layout->addWidget(logo, 0, Qt::AlignRight | Qt::AlignBottom);
  return right;
}

void TMainForm::BuildBackupNote(QWidget* right, QVBoxLayout* layout) {
  backup_note_ = new QLabel(right);
  backup_note_->setObjectName("lBackup");
  // Two lines that never wrap: the path is shortened to fit instead.
  backup_note_->setWordWrap(false);
  backup_note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  // Its two lines are counted in the window's fixed size from the start, so
  // showing it after the first write never squeezes the steps above it.
  backup_note_->setMinimumHeight(2 * backup_note_->fontMetrics().lineSpacing());
  QSizePolicy keep_place = backup_note_->sizePolicy();
  keep_place.setRetainSizeWhenHidden(true);
  backup_note_->setSizePolicy(keep_place);
  backup_note_->hide();
  layout->addWidget(backup_note_);
}

void TMainForm::AssignShortcuts() {
  // The five actions by keyboard: the conventional keys where there are any,
  // none that a desktop keeps for closing (Ctrl+W, Ctrl+Q).
  const struct {
    QPushButton* button;
    QKeySequence keys;
  } shortcuts[] = {{read_button_, QKeySequence(Qt::CTRL | Qt::Key_R)},
                   {load_button_, QKeySequence::Open},
                   {edit_button_, QKeySequence(Qt::CTRL | Qt::Key_E)},
                   {save_button_, QKeySequence::Save},
                   {write_button_, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M)}};
  for (const auto& [button, keys] : shortcuts) {
    // The button's own shortcut is its caption's letter (Alt and the
    // underlined letter); the combination belongs to the window.
    auto* shortcut = new QShortcut(keys, this);
    QPushButton* target = button;
    connect(shortcut, &QShortcut::activated, target, [target] {
      if (target->isEnabled()) target->click();
    });
    ShowKeys(button, keys);
    button->setToolTip(QString(button->text()).remove('&') + " (" +
                       keys.toString(QKeySequence::NativeText) + ")");
  }
  // F10 opens the menu, as in the programs of the desktop.
  connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this, [this] {
    if (!menuBar()->actions().isEmpty()) menuBar()->setActiveAction(menuBar()->actions().first());
  });
}

void TMainForm::ConnectControls() {
  connect(auto_search_box_, &QCheckBox::clicked, this, [this] { AutoSearchClicked(); });
  Connect(choose_port_button_, &TMainForm::ChoosePort);
  Connect(read_button_, &TMainForm::ReadFromMk);
  Connect(load_button_, &TMainForm::LoadFromFile);
  Connect(edit_button_, &TMainForm::EditSettings);
  Connect(journals_button_, &TMainForm::ViewJournals);
  Connect(osc_button_, &TMainForm::ViewOscilloscope);
  Connect(save_button_, &TMainForm::SaveToFile);
  Connect(write_button_, &TMainForm::WriteToMk);
}

void TMainForm::FitFixedSize(QWidget* central) {
  // Fixed size: at least the classic 810 x 401 client area (the status line
  // comes below it), more when the fonts here need it so that no caption is cut.
  const QSize hint = central->sizeHint();
  setFixedSize(std::max(kMinWidth, hint.width()), std::max(kMinHeight, hint.height()) +
                                                      statusBar()->sizeHint().height() +
                                                      menuBar()->sizeHint().height());
}

void TMainForm::Connect(QPushButton* button, void (TMainForm::*handler)()) {
  connect(button, &QPushButton::clicked, this, [this, handler] {
    note_.clear();
    (this->*handler)();
    TakeFocusBack();
    UpdateStatus();
  });
}

void TMainForm::SetOrigin(Origin origin, const std::string& file) {
  origin_ = origin;
  origin_file_ = file;
  if (mk_) origin_version_ = mk_->DeviceVersion();
  if (origin == Origin::SavedFile || origin == Origin::Written) {
    // What was taken is now saved or written: undoing it is an unsaved change.
    modified_before_take_ = true;
  } else {
    before_take_.reset();  // other settings replaced the ones it was taken into
  }
}

void TMainForm::UpdateStatus() {
  if (rs_) port_line_->setVisible(rs_->PresentCount() == 0);
  UpdateActions();
  UpdateHistoryAction();
  QString text;
  const QString name = Q(text::FileNameText(origin_file_));
  switch (origin_) {
    case Origin::None:
      // What the last action did says why there are still none.
      status_line_->setText(
          note_.empty()
              ? QStringLiteral("Настройки ещё не считаны: считайте их из МК или из файла.")
              : Q(note_) + QStringLiteral("."));
      status_line_->setToolTip(QString());
      return;
    case Origin::LoadedFile:
      text = QStringLiteral("Настройки из файла «%1»").arg(name);
      break;
    case Origin::SavedFile:
      text = QStringLiteral("Настройки сохранены в файл «%1»").arg(name);
      break;
    case Origin::Mk:
      // Unedited, they are the MK's own: nothing to lose but no file holds them.
      text = Q(modified_ ? "Настройки считаны из МК: адрес %1, память %2 байт, версия устройства %3"
                         : "Настройки считаны из МК, не сохранены в файл: адрес %1, память %2 "
                           "байт, версия устройства %3")
                 .arg(found_.DeviceAddress)
                 .arg(found_.MemorySize)
                 .arg(origin_version_);
      break;
    case Origin::Written:
      text = QStringLiteral("Настройки записаны в МК %1").arg(Q(written_at_));
      break;
    case Origin::Backup:
      text = QStringLiteral("Настройки из резервной копии «%1»").arg(name);
      break;
  }
  if (modified_) {
    text += QStringLiteral(" - изменены и не сохранены");
  } else if (origin_ != Origin::Mk) {
    text += QStringLiteral(" - без изменений");
  }
  // What the last action did comes first; the next action clears it.
  if (!note_.empty()) text = Q(note_) + ". " + text;
  status_line_->setText(text);
  status_line_->setToolTip(Q(origin_file_));
}

void TMainForm::TakeFocusBack() {
  if (!isVisible() || isMinimized() || QApplication::activeModalWidget() != nullptr) return;
  if (QApplication::activeWindow() == this) return;
  raise();
  activateWindow();
}

void TMainForm::BringToFront() {
  setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  show();
  raise();
  activateWindow();
}

void TMainForm::OpenHandedFile(const std::string& path) {
  handed_file_ = path;
  TakeHandedFile();
}

void TMainForm::TakeHandedFile() {
  if (handed_file_.empty()) return;
  // A transfer, the editor or a box holds the settings: the file waits.
  if (busy_ || !mk_ || QApplication::activeModalWidget() != nullptr) {
    QTimer::singleShot(250, this, [this] { TakeHandedFile(); });
    return;
  }
  const std::string path = std::exchange(handed_file_, {});
  note_.clear();
  LoadFile(path);
  UpdateStatus();
}

void TMainForm::UpdateActions() {
  const bool held = HoldsSettings();
  for (QPushButton* b : {edit_button_, journals_button_, osc_button_, save_button_, write_button_})
    b->setEnabled(held);
  for (QAction* a : {compare_file_action_, compare_mk_action_, take_from_file_action_}) {
    if (a != nullptr) a->setEnabled(held);
  }
  if (undo_take_action_ != nullptr) undo_take_action_->setEnabled(before_take_.has_value());
}

std::filesystem::path TMainForm::BesideProgram(const std::filesystem::path& path) const {
  if (path.is_absolute()) return path;
  // UTF-16: on Windows a narrow path means the ANSI code page.
  const std::filesystem::path folder =
      services_.program_dir.empty()
          ? std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String())
          : services_.program_dir;
  return folder / path;
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shown_) {
    shown_ = true;
    FirstShow();
  }
}

void TMainForm::FirstShow() {
  mz_mark_->hide();

  // The preferences come first here because they may map COM numbers to
  // devices, which the channel's port scan needs.
  ini_path_ = services_.ini_path.empty()
                  ? TMIniFile::DefaultPath(
                        // UTF-16: on Windows a narrow path means the ANSI code page.
                        QCoreApplication::applicationFilePath().toStdU16String())
                  : services_.ini_path;
  TMIniFile ini(ini_path_);
  ports_ = services_.make_ports(ini.Ini());
  for (int n = 1; n <= link::kMaxPorts; ++n) {
    const long address = ini.Ini().ReadInteger("RS232", "Address" + std::to_string(n), 0);
    // Only an MK's address; anything else is no guess.
    if (device::IsMkAddress(address))
      answered_at_[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(address);
  }
  // Making the channel and opening the stored port may both find no port: say it once.
  prompt_->CollapseRepeats(true);
  // Nothing stops the start: what the channel says waits until the window is up.
  prompt_->Hold(nullptr);
  rs_ = std::make_unique<link::TVL_RS>(*ports_, *clock_, *pump_, *prompt_);
  rs_->SetPortType(0);
  rs_->SetPortDialog(port_dialog_);
  mk_ = std::make_unique<device::TMK>();

  const std::filesystem::path prefs_folder = ini_path_.parent_path();
  backups_ = std::make_unique<device::BackupStore>(device::BackupStore::FromPreferences(
      ini.Ini(), prefs_folder,
      services_.backup_dir.empty() ? BesideProgram(platform::BackupsDir()) : services_.backup_dir));
  if (const std::string log = ini.Ini().ReadString("RS232", "Log", ""); !log.empty()) {
    const std::filesystem::path path = PathFromUtf8(log);
    log_path_ = path.is_absolute() ? path : prefs_folder / path;
  }

  rs_->LoadSettings(ini.Ini());
  const bool auto_search = ini.Ini().ReadBool("Common", "Auto", true);
  ini.LoadPlacement("MainWindow", *this);

  rs_->SetBaud(kBaud);
  rs_->Reopen(false);
  prompt_->CollapseRepeats(false);
  // No port at all is said in the status line and in the port dialog, not in a box.
  prompt_->Forget(link::kNoFreePort);
  QTimer::singleShot(0, this, [this] { prompt_->Release(); });

  auto_search_box_->setChecked(auto_search);
  choose_port_button_->setEnabled(!auto_search);
  modified_ = false;
  last_folder_ = ini.Ini().ReadString("Common", "Folder", "");
  UpdateStatus();

  // Once the window is on screen, so that a refused file's box has it behind.
  if (!services_.settings_file.empty()) {
    QTimer::singleShot(0, this, [this] {
      LoadFile(services_.settings_file);
      UpdateStatus();
    });
  }
}

bool TMainForm::AutoSearch() const {
  return auto_search_box_->isChecked();
}

void TMainForm::AutoSearchClicked() {
  choose_port_button_->setEnabled(!AutoSearch());
}

void TMainForm::ChoosePort() {
  if (busy_ || !rs_) return;
  if (rs_->ScanPorts() == 0) {
    // The dialog itself says there is none, rather than a box in its place.
    port_dialog_->Choose(PortList{}, 0);
  } else {
    rs_->SelectPortDialog();
  }
  rs_->Reopen(false);
}

bool TMainForm::FindMk() {
  if (!AutoSearch()) return true;
  rs_->ScanPorts();
  const std::vector<int> found = services_.find_mk ? services_.find_mk() : std::vector<int>{};
  found_ports_->clear();
  for (int n : found) found_ports_->appendPlainText(QStringLiteral("COM%1").arg(n));
  for (int n : found) {
    // The channel knows COM1..COM32 only; anything else cannot be the MK's port.
    if (n < 1 || n > link::kMaxPorts) continue;
    rs_->OpenPort(n);
    rs_->SetBaud(kBaud);
    if (rs_->PortNumber() == n) return true;
  }
  if (services_.connection_check) {
    dialogs_->ShowErrorWithDetails("Не вижу МК.", services_.connection_check());
  } else {
    dialogs_->ShowError("Не вижу МК.");
  }
  return false;
}

std::filesystem::path TMainForm::Backup(std::uint16_t device_version,
                                        std::span<const std::uint8_t> image) {
  std::filesystem::path path = backups_->Save(device_version, image);
  const QString shown = QDir::toNativeSeparators(QString::fromStdU16String(path.u16string()));
  backup_note_->setText(QStringLiteral("Резервная копия памяти МК перед последней записью:\n") +
                        FittedPath(shown, backup_note_->fontMetrics(), kColumnWidth - 8));
  backup_note_->setToolTip(shown);
  backup_note_->show();
  return path;
}

void TMainForm::OpenExchangeLog() {
  if (log_path_.empty() || log_tried_) return;
  log_tried_ = true;
  auto log = std::make_unique<link::ExchangeLogFile>(log_path_, true, clock_->TickCount(),
                                                     "mkconfig: журнал обмена с МК");
  if (!log->Opened()) {
    dialogs_->ShowError("Журнал обмена не ведётся: не удалось открыть «" +
                        text::PathText(log_path_) + "»: " + log->Problem() + ".");
    return;
  }
  log_ = std::move(log);
  rs_->SetExchangeLog(log_.get());
}

void TMainForm::RunTransfer(const Transfer& transfer, const std::function<void()>& done) {
  OpenExchangeLog();
  std::string port_error;
  // Every box of the transfer, its result included, waits until the progress
  // window is gone and the window is usable again, so none is hidden under it.
  prompt_->Hold(nullptr);
  {
    BusyScope busy(*this);
    rs_->Reopen(true);
    rs_->SetBaud(kBaud);
    if (rs_->IsOpen()) {
      auto progress = std::make_unique<TProgressForm>(this);
      progress->ShowCancel(true);
      progress->SetLabel(kConnecting);
      progress->ShowGauge(false);
      progress->ShowCentred();
      prompt_->Hold(progress.get());
      const auto port = static_cast<std::size_t>(rs_->PortNumber());
      device::Connection found;
      if (port < answered_at_.size()) found.DeviceAddress = answered_at_[port];
      try {
        if (transfer(*progress, found) == device::TransferResult::Done) {
          found_.DeviceAddress = found.DeviceAddress;
          found_.MemorySize = found.MemorySize;
          if (done) done();
        }
      } catch (const std::exception& e) {
        prompt_->ShowError(e.what());
      }
      // Whatever became of the transfer, the MK answered there.
      if (port < answered_at_.size()) answered_at_[port] = found.DeviceAddress;
    } else {
      // Looking for the MK on a port that is not open would go on until Cancel.
      const int n = rs_->PortNumber();
      if (n == 0) {
        prompt_->ShowError(link::kNoFreePort);
      } else {
        port_error = services_.port_trouble ? services_.port_trouble(n)
                                            : "Не могу открыть порт COM" + std::to_string(n) + ".";
      }
    }
    rs_->Reopen(false);
    if (log_ && !log_->Ok()) {
      // A full disk is no failure of the transfer: the status line's end says
      // it from now on (the whole sentence is too long there; its tool tip
      // holds it), and no more is written.
      log_note_->setText(QStringLiteral("Журнал обмена неполон"));
      log_note_->setToolTip(Q("Журнал обмена «" + text::PathText(log_path_) +
                              "» записан не полностью: " + log_->Problem() + "."));
      log_note_->show();
      rs_->SetExchangeLog(nullptr);
      log_.reset();
    }
  }
  prompt_->Release();
  if (port_error.empty()) return;
  if (services_.connection_check) {
    dialogs_->ShowErrorWithDetails(port_error, services_.connection_check());
  } else {
    dialogs_->ShowError(port_error);
  }
}

void TMainForm::ReadFromMk() {
  if (busy_ || !rs_) return;
  if (!MayDropEdits()) return;
  if (!FindMk()) return;
  bool read = false;
  RunTransfer(
      [this](link::IProgress& progress, device::Connection& found) {
        return services_.read_settings(*rs_, *mk_, progress, *pump_, &found);
      },
      // A failed read leaves the model as it was (the read replaces it only
      // when the whole memory has arrived), so the buttons stay as they were.
      [this, &read] {
        // The settings held are now the MK's: no edit of them is unsaved.
        modified_ = false;
        SetOrigin(Origin::Mk);
        read = true;
      });
  // Once the progress window is gone, so that its questions are in front.
  if (read) ImportReadIntoHistory();
}

void TMainForm::WriteToMk() {
  if (busy_ || !rs_) return;
  if (!FindMk()) return;
  device::WriteOptions options;
  options.backup = [this](std::uint16_t version, std::span<const std::uint8_t> image) {
    return Backup(version, image);
  };
  // Asked after the re-read, before anything is sent; the progress window
  // steps aside meanwhile.
  options.confirm = [this](const device::TMK& fresh, device::TMK& to_write) {
    return prompt_->Ask([&] { return AskWrite(fresh, to_write); });
  };
  RunTransfer(
      [this, &options](link::IProgress& progress, device::Connection& found) {
        return services_.write_settings(*rs_, *mk_, progress, *pump_, *prompt_, &found, options);
      },
      [this] {
        const QDateTime now = QDateTime::currentDateTime();
        written_at_ = now.toString(QStringLiteral("dd.MM.yyyy в HH:mm")).toStdString();
        SetOrigin(Origin::Written, origin_file_);
      });
}

void TMainForm::LoadFromFile() {
  if (busy_ || !mk_) return;
  const auto path = dialogs_->OpenFile(widgets::FileKind::Settings, FileFolder());
  if (!path) return;
  LoadFile(*path);
}

void TMainForm::LoadFile(const std::string& path) {
  if (busy_ || !mk_) return;
  if (IsTankFileName(path)) {
    OpenTankFile(path);
    return;
  }
  try {
    // The file is read first: a refused one asks nothing and changes nothing.
    device::TMK loaded;
    device::LoadSettingsFile(PathFromUtf8(path), loaded);
    if (!MayDropEdits()) return;
    *mk_ = std::move(loaded);
    modified_ = false;
    SetOrigin(Origin::LoadedFile, path);
    RememberFolder(path);
  } catch (const std::exception& e) {
    // A refused file changes nothing: what was held before is still held.
    dialogs_->ShowError(e.what());
  }
}

bool TMainForm::SaveWithDialog() {
  const auto path = dialogs_->SaveFile(widgets::FileKind::Settings, FileFolder(), SuggestedName());
  if (!path) return false;
  std::error_code ec;
  if (std::filesystem::exists(PathFromUtf8(*path), ec) && !dialogs_->AskYesNo(kOverwriteQuestion))
    return false;
  try {
    device::SaveSettingsFile(PathFromUtf8(*path), *mk_);
  } catch (const std::exception& e) {
    // A failed save changes nothing: the edits stay marked as unsaved.
    dialogs_->ShowError(e.what());
    return false;
  }
  modified_ = false;
  SetOrigin(Origin::SavedFile, *path);
  RememberFolder(*path);
  return true;
}

void TMainForm::SaveToFile() {
  if (busy_ || !mk_) return;
  SaveWithDialog();
}

void TMainForm::EditSettings() {
  RunEditor(WindowEnvironment());
}

void TMainForm::RunEditor(const widgets::WindowEnvironment& environment) {
  RunOverSettings(&device::TMK::EditSettings, services_.edit_dialog, environment);
}

void TMainForm::RunOverSettings(bool (device::TMK::*transaction)(const device::TMK::Dialog&),
                                const widgets::WindowRun& window,
                                const widgets::WindowEnvironment& environment) {
  if (busy_ || !mk_ || !window) return;
  try {
    widgets::WindowOutcome outcome;
    ((*mk_).*transaction)([&] {
      outcome = window(*mk_, environment);
      return outcome.accepted;
    });
    TakeOutcome(outcome);
  } catch (const std::exception& e) {
    dialogs_->ShowError(e.what());
  }
}

void TMainForm::TakeOutcome(const widgets::WindowOutcome& outcome) {
  if (!outcome.changed) return;
  modified_ = true;
  before_take_.reset();
}

void TMainForm::ViewJournals() {
  RunOverSettings(&device::TMK::ViewJournals, services_.journals_dialog, WindowEnvironment());
}

void TMainForm::ViewOscilloscope() {
  if (busy_ || !mk_ || !services_.osc_dialog) return;
  try {
    mk_->ViewOscilloscope([&] { return services_.osc_dialog(*mk_, WindowEnvironment()).accepted; },
                          *dialogs_);
  } catch (const std::exception& e) {
    dialogs_->ShowError(e.what());
  }
}

bool TMainForm::MayDropEdits() {
  if (!modified_) return true;
  switch (dialogs_->AskYesNoCancel(kUnsavedQuestion)) {
    case widgets::Reply::Yes:
      return SaveWithDialog();
    case widgets::Reply::No:
      return true;
    case widgets::Reply::Cancel:
      break;
  }
  return false;
}

void TMainForm::SavePreferences() {
  if (!rs_) return;
  TMIniFile ini(ini_path_);
  rs_->SaveSettings(ini.Ini());
  for (int n = 1; n <= link::kMaxPorts; ++n) {
    if (const auto address = answered_at_[static_cast<std::size_t>(n)]; address != 0)
      ini.Ini().WriteInteger("RS232", "Address" + std::to_string(n), address);
  }
  ini.Ini().WriteBool("Common", "Auto", AutoSearch());
  if (!last_folder_.empty()) ini.Ini().WriteString("Common", "Folder", last_folder_);
  ini.SavePlacement("MainWindow", *this);
  try {
    ini.Save();
  } catch (const std::exception& e) {
    dialogs_->ShowError(e.what());
  }
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // A transfer in progress owns the port and the progress window; the
  // window closes once it has ended.
  if (busy_) {
    event->ignore();
    return;
  }
  if (!closed_) {
    // Отмена, or a save that did not happen, keeps the window and the edits.
    if (!MayDropEdits()) {
      event->ignore();
      return;
    }
    SavePreferences();
    closed_ = true;
  }
  event->accept();
}

}  // namespace mk::app
