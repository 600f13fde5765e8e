// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's history of trips: every read from the MK merged into it,
// a settings file added to it from the menu "История", and its window
// (Ctrl+H). The history never stands in a read's way: whatever goes wrong
// with it is said, and the read stays as it was.
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include <optional>

#include "app/main_form.h"
#include "device/atomic_file.h"
#include "device/mk.h"
#include "history/file_import.h"
#include "history/history_store.h"
#include "platform/prefs_path.h"
#include "text/utf8_path.h"

namespace mk::app {
namespace {

constexpr const char* kVehicleQuestion =
    "Поездки этого МК будут храниться в истории. Как назвать автомобиль?";
constexpr const char* kOtherVehicleQuestion = "Как назвать другой автомобиль?";

/// "МК 5", or "МК 5 (2)" and on when that name is taken.
std::string FreeName(history::HistoryStore& store, int model) {
  const std::string base = history::DefaultVehicleName(model);
  const auto vehicles = store.Vehicles();
  const auto taken = [&](const std::string& name) {
    for (const auto& v : vehicles)
      if (v.name == name) return true;
    return false;
  };
  std::string name = base;
  for (int n = 2; taken(name); ++n) name = base + " (" + std::to_string(n) + ")";
  return name;
}

std::string Added(const history::ImportResult& r) {
  return "поездок " + std::to_string(r.trips_added) + ", заправок " +
         std::to_string(r.refuels_added) + ", ошибок " + std::to_string(r.errors_added);
}

/// Merges `read`, asking what the history cannot know: the vehicle's name at
/// the first import, and whether lower totals are another MK. Nothing when
/// the user declined; mk::Error when the history cannot take it.
std::optional<history::ImportResult> Merge(history::HistoryStore& store,
                                           const history::ReadSnapshot& read,
                                           widgets::IDialogs& dialogs) {
  history::ImportTarget target;
  const auto last = store.LastVehicle();
  if (!last) {
    const auto name = dialogs.AskText(kVehicleQuestion, FreeName(store, read.device_version));
    if (!name) return std::nullopt;
    target.vehicle = *name;
    return store.Import(read, target);
  }
  try {
    return store.Import(read, target);
  } catch (const history::TotalsBelowError& e) {
    const std::string question = std::string(e.what()) +
                                 "\n\nЗавести в истории другой автомобиль? «Нет» - добавить "
                                 "поездки к «" +
                                 last->name + "».";
    switch (dialogs.AskYesNoCancel(question)) {
      case widgets::Reply::Yes: {
        const auto name =
            dialogs.AskText(kOtherVehicleQuestion, FreeName(store, read.device_version));
        if (!name) return std::nullopt;
        target.vehicle = *name;
        break;
      }
      case widgets::Reply::No:
        target.vehicle = last->name;
        target.accept_lower_totals = true;
        break;
      case widgets::Reply::Cancel:
        return std::nullopt;
    }
    return store.Import(read, target);
  }
}

}  // namespace

void TMainForm::BuildHistoryMenu() {
  // Alt+И is the automatic search's: the menu takes the first letter left.
  QMenu* menu = menuBar()->addMenu(QStringLiteral("Ис&тория"));
  menu->setObjectName("mHistory");
  history_action_ = menu->addAction(QStringLiteral("История поездок…"));
  history_action_->setObjectName("aHistory");
  history_action_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
  history_action_->setShortcutContext(Qt::WindowShortcut);
  QAction* add_file = menu->addAction(QStringLiteral("Добавить файл настроек в историю…"));
  add_file->setObjectName("aHistoryImport");
  // Another program (mkctl) may have started the history meanwhile.
  connect(menu, &QMenu::aboutToShow, this, [this] { UpdateHistoryAction(); });
  connect(history_action_, &QAction::triggered, this, [this] {
    note_.clear();
    ViewHistory();
    TakeFocusBack();
    UpdateStatus();
  });
  connect(add_file, &QAction::triggered, this, [this] {
    note_.clear();
    ImportFileIntoHistory();
    TakeFocusBack();
    UpdateStatus();
  });
}

std::filesystem::path TMainForm::HistoryFile() const {
  return services_.history_path.empty() ? BesideProgram(platform::HistoryPath())
                                        : services_.history_path;
}

void TMainForm::UpdateHistoryAction() {
  if (history_action_ != nullptr)
    history_action_->setEnabled(history::HistoryStore::Exists(HistoryFile()));
}

void TMainForm::ImportReadIntoHistory() {
  try {
    history::HistoryStore store(HistoryFile());
    const auto r = Merge(store, history::TakeSnapshot(*mk_, history::LocalNow()), *dialogs_);
    if (!r) {
      note_ = "История не обновлена";
    } else if (r->trips_added + r->refuels_added + r->errors_added > 0) {
      note_ = "В историю «" + r->vehicle + "» добавлено " + Added(*r);
    }
  } catch (const std::exception& e) {
    dialogs_->ShowError(std::string("История не обновлена: ") + e.what());
  }
  UpdateHistoryAction();
}

void TMainForm::ImportFileIntoHistory() {
  if (busy_) return;
  const auto path = dialogs_->OpenFile(widgets::FileKind::Settings, FileFolder());
  if (!path) return;
  RememberFolder(*path);
  try {
    // The file first: a refused one leaves the history unopened.
    const auto read = history::SnapshotOfFile(text::PathFromUtf8(*path), std::nullopt);
    history::HistoryStore store(HistoryFile());
    const auto r = Merge(store, read, *dialogs_);
    if (!r) return;
    dialogs_->ShowInfo("Файл «" + text::PathText(text::PathFromUtf8(*path).filename()) +
                       "» добавлен в историю автомобиля «" + r->vehicle + "»: " + Added(*r) + ".");
  } catch (const std::exception& e) {
    dialogs_->ShowError(std::string("История не обновлена: ") + e.what());
  }
  UpdateHistoryAction();
}

void TMainForm::ViewHistory() {
  if (busy_ || !services_.history_window) return;
  try {
    history::HistoryStore store(HistoryFile());
    services_.history_window(store, WindowEnvironment());
  } catch (const std::exception& e) {
    dialogs_->ShowError(e.what());
  }
}

}  // namespace mk::app
