// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's menu "Настройки": the held settings against a file, the
// MK or a backup, taking pages of another file, the question before a write,
// and where the file dialogs start.
#include <QAction>
#include <QDate>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include "app/main_form.h"
#include "device/backup_list.h"
#include "device/settings_file.h"
#include "platform/prefs_path.h"
#include "settings/chosen_settings.h"
#include "settings/shown_diff.h"
#include "settings/take_pages.h"
#include "text/utf8_path.h"
#include "widgets/decimal_separator.h"
#include "widgets/qt_text.h"

namespace mk::app {
using text::PathFromUtf8;
using widgets::BackupRow;
using widgets::ChangesAnswer;
using widgets::ChangesPurpose;
using widgets::ChangesView;

namespace {

QAction* Action(QMenu* menu, const char* name, const char* text) {
  QAction* action = menu->addAction(widgets::Q(text));
  action->setObjectName(name);
  return action;
}

/// Every line the list of differences shows under its headings.
std::size_t RowCount(const settings::ShownDiff& diff) {
  return diff.header.size() + diff.SettingCount() + diff.other.size();
}

QString FileName(const std::string& path) {
  return widgets::Q(text::FileNameText(path));
}

// A settings file, or a tank settings file for the held settings.
bool IsSettingsFile(const QUrl& url) {
  return url.isLocalFile() && (url.toLocalFile().endsWith(".vrnkp", Qt::CaseInsensitive) ||
                               IsTankFileName(url.toLocalFile().toStdString()));
}

}  // namespace

void TMainForm::BuildMenu() {
  QMenu* menu = menuBar()->addMenu(QStringLiteral("&Настройки"));
  menu->setObjectName("mSettings");
  compare_file_action_ = Action(menu, "aCompareFile", "Сравнить с файлом…");
  compare_mk_action_ = Action(menu, "aCompareMk", "Сравнить с МК");
  menu->addSeparator();
  restore_action_ = Action(menu, "aRestore", "Восстановить из резервной копии…");
  take_from_file_action_ = Action(menu, "aTakeFromFile", "Взять из файла…");
  undo_take_action_ = Action(menu, "aUndoTake", "Отменить «Взять из файла»");
  undo_take_action_->setShortcut(QKeySequence::Undo);
  const auto bind = [this](QAction* action, void (TMainForm::*handler)()) {
    connect(action, &QAction::triggered, this, [this, handler] {
      note_.clear();
      (this->*handler)();
      TakeFocusBack();
      UpdateStatus();
    });
  };
  bind(compare_file_action_, &TMainForm::CompareWithFile);
  bind(compare_mk_action_, &TMainForm::CompareWithMk);
  bind(restore_action_, &TMainForm::RestoreBackup);
  bind(take_from_file_action_, &TMainForm::TakeFromFile);
  bind(undo_take_action_, &TMainForm::UndoTake);
  BuildPresetMenu(menu);

  QMenu* help = menuBar()->addMenu(QStringLiteral("Спр&авка"));
  help->setObjectName("mHelp");
  QAction* how = Action(help, "aHelp", "Как работать с программой");
  how->setShortcut(QKeySequence::HelpContents);
  connect(how, &QAction::triggered, this, [this] { dialogs_->ShowInfo(kHelpText); });
}

// --- Where the file dialogs start, and the history folder -------------------------

std::filesystem::path TMainForm::HistoryFolder() const {
  if (!services_.history_dir.empty()) return services_.history_dir;
  return BesideProgram(platform::HistoryPath()).parent_path();
}

std::string TMainForm::FileFolder() const {
  if (!last_folder_.empty() && std::filesystem::is_directory(PathFromUtf8(last_folder_))) {
    return last_folder_;
  }
  if (!services_.documents_dir.empty()) {
    return text::PathText(services_.documents_dir);
  }
  // Never the program's folder: an installed program cannot write there.
  return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString();
}

widgets::WindowEnvironment TMainForm::WindowEnvironment(std::string focus) {
  return {.parent = this,
          .dialogs = services_.dialogs,
          .folder = FileFolder(),
          .focus = std::move(focus),
          .tank_file = {}};
}

void TMainForm::RememberFolder(const std::string& path) {
  const std::filesystem::path folder = PathFromUtf8(path).parent_path();
  if (!folder.empty()) last_folder_ = text::PathText(folder);
}

std::string TMainForm::SuggestedName() const {
  const QString date = QDate::currentDate().toString(Qt::ISODate);
  return QStringLiteral("МК-v%1-%2.vrnkp")
      .arg(mk_ ? mk_->DeviceVersion() : 0)
      .arg(date)
      .toStdString();
}

// --- A dropped settings file --------------------------------------------------------

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (!busy_ && urls.size() == 1 && IsSettingsFile(urls.front())) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.size() != 1 || !IsSettingsFile(urls.front())) return;
  event->acceptProposedAction();
  note_.clear();
  LoadFile(urls.front().toLocalFile().toStdString());
  UpdateStatus();
}

// --- The question before a write -------------------------------------------------------

bool TMainForm::AskWrite(const device::TMK& fresh, device::TMK& to_write) {
  const ChangesView view =
      widgets::WriteChangesView(settings::DiffShown(fresh, to_write, widgets::DecimalSeparator()));
  const ChangesAnswer answer = dialogs_->ShowChanges(view);
  if (answer.accepted && !answer.unticked.empty()) {
    // Only the ticked changes go: the MK as read with them laid over it.
    to_write = settings::LayChosen(
        fresh, to_write, settings::Without(settings::ListedSettings(view.diff), answer.unticked));
  }
  return answer.accepted;
}

// --- Comparing ------------------------------------------------------------------------------

std::optional<device::TMK> TMainForm::ChooseSettingsFile(std::string* chosen) {
  const auto path = dialogs_->OpenFile(widgets::FileKind::Settings, FileFolder());
  if (!path) return std::nullopt;
  try {
    device::TMK other;
    device::LoadSettingsFile(PathFromUtf8(*path), other);
    RememberFolder(*path);
    if (chosen != nullptr) *chosen = *path;
    return other;
  } catch (const std::exception& e) {
    dialogs_->ShowError(e.what());
    return std::nullopt;
  }
}

void TMainForm::ShowCompare(const std::string& title, const std::string& intro,
                            const device::TMK& other) {
  ChangesView view;
  view.purpose = ChangesPurpose::Compare;
  view.title = title;
  view.intro = intro +
               " Двойной щелчок по настройке открывает её в редакторе; «Взять отмеченные» "
               "переносит отмеченные значения в текущие настройки.";
  view.diff = settings::DiffShown(*mk_, other, widgets::DecimalSeparator());
  const ChangesAnswer answer = dialogs_->ShowChanges(view);
  if (answer.accepted) {
    TakeSettings(other, settings::Without(settings::ListedSettings(view.diff), answer.unticked),
                 widgets::Q(title));
    return;
  }
  if (answer.open != nullptr) RunEditor(WindowEnvironment(std::string(answer.open->name)));
}

void TMainForm::CompareWithFile() {
  if (busy_ || !mk_ || !HoldsSettings()) return;
  if (const auto other = ChooseSettingsFile()) {
    ShowCompare("Сравнение с файлом", "Было - текущие настройки, станет - в файле.", *other);
  }
}

void TMainForm::CompareWithMk() {
  if (busy_ || !rs_ || !HoldsSettings()) return;
  if (!FindMk()) return;
  // The MK is read into a model of its own: the held settings stay as they are.
  auto from_mk = std::make_unique<device::TMK>();
  RunTransfer([this, &from_mk](link::IProgress& progress, device::Connection& found) {
    return services_.read_settings(*rs_, *from_mk, progress, *pump_, &found);
  });
  if (from_mk->Image().empty()) return;
  ShowCompare("Сравнение с МК", "Было - текущие настройки, станет - в МК.", *from_mk);
}

// --- Restoring a backup -----------------------------------------------------------------------

void TMainForm::RestoreBackup() {
  if (busy_ || !mk_ || !backups_) return;
  const std::vector<device::BackupEntry> entries = device::ListBackups(*backups_);
  if (entries.empty()) {
    dialogs_->ShowInfo("Резервных копий нет: их делает каждая запись в МК.");
    return;
  }
  const bool held = HoldsSettings();
  std::vector<BackupRow> rows;
  for (const auto& e : entries) {
    BackupRow row{e.when, std::to_string(e.version), std::to_string(e.memory_size), "—",
                  text::PathText(e.path.filename())};
    if (!e.problem.empty()) {
      row.differing = "не читается";
    } else if (held) {
      // Counted as the list of differences will show them, journals and header included.
      row.differing = std::to_string(
          RowCount(settings::DiffShown(*mk_, device::LoadBackup(e), widgets::DecimalSeparator())));
    }
    rows.push_back(std::move(row));
  }
  const auto chosen = dialogs_->ChooseBackup(rows);
  if (!chosen) return;
  const device::BackupEntry& entry = entries[*chosen];
  try {
    device::TMK backup = device::LoadBackup(entry);
    ChangesView view;
    view.purpose = ChangesPurpose::Restore;
    view.title = "Восстановить резервную копию от " + entry.when;
    view.intro = held ? "Было - текущие настройки, станет - из копии. В МК копия попадёт после "
                        "записи (Шаг 4)."
                      : "Копия станет текущими настройками; в МК она попадёт после записи (Шаг 4).";
    if (held) view.diff = settings::DiffShown(*mk_, backup, widgets::DecimalSeparator());
    if (!dialogs_->ShowChanges(view).accepted) return;
    mk_->ReplaceImage(backup.DeviceVersion(), backup.Image());
    modified_ = true;
    SetOrigin(Origin::Backup, text::PathText(entry.path));
  } catch (const std::exception& e) {
    dialogs_->ShowError(e.what());
  }
}

// --- Taking pages of another file ---------------------------------------------------------------

void TMainForm::TakeFromFile() {
  if (busy_ || !mk_ || !HoldsSettings()) return;
  std::string path;
  const auto other = ChooseSettingsFile(&path);
  if (!other) return;
  ChangesView view;
  view.purpose = ChangesPurpose::Take;
  view.title = "Взять из файла";
  view.intro =
      "Отметьте настройки, которые взять из файла (было - текущие, станет - из файла); "
      "отметка страницы отмечает все её настройки. Скрытые для этого МК настройки не берутся.";
  OfferToTake(view, *other, QStringLiteral("Из файла «%1»").arg(FileName(path)));
}

void TMainForm::OfferToTake(ChangesView& view, const device::TMK& other, const QString& from) {
  // What the held variant hides is not taken; the list says which.
  settings::TakeOffered offer = settings::TakeOffer(*mk_, other, widgets::DecimalSeparator());
  view.diff = settings::ShownDiff();
  view.diff.changes = std::move(offer.changes);
  view.not_taken = std::move(offer.not_taken);
  const ChangesAnswer answer = dialogs_->ShowChanges(view);
  if (!answer.accepted) return;
  TakeSettings(other, settings::Without(settings::ListedSettings(view.diff), answer.unticked),
               from);
}

void TMainForm::TakeSettings(const device::TMK& other,
                             const std::vector<const settings::Setting*>& chosen,
                             const QString& from) {
  if (chosen.empty()) return;
  try {
    // One change, undone as one: the image as it was is kept.
    auto kept = std::make_pair(mk_->DeviceVersion(), mk_->Image());
    device::TMK taken = settings::LayChosen(*mk_, other, chosen);
    *mk_ = std::move(taken);
    before_take_ = std::move(kept);
    modified_before_take_ = modified_;
    modified_ = true;
    note_ = QStringLiteral("%1: взято настроек %2 (отменить: %3)")
                .arg(from)
                .arg(chosen.size())
                .arg(undo_take_action_->shortcut().toString(QKeySequence::NativeText))
                .toStdString();
  } catch (const std::exception& e) {
    dialogs_->ShowError(e.what());
  }
}

void TMainForm::UndoTake() {
  if (busy_ || !mk_ || !before_take_) return;
  try {
    mk_->ReplaceImage(before_take_->first, before_take_->second);
    modified_ = modified_before_take_;
    note_ = "«Взять из файла» отменено: настройки те, что были до него";
  } catch (const std::exception& e) {
    dialogs_->ShowError(e.what());
  }
  before_take_.reset();
}

}  // namespace mk::app
