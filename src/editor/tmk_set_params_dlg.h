// SPDX-License-Identifier: GPL-3.0-or-later
// TMK_SetParamsDlg: the settings editor. A modal dialog with eleven pages over
// the device model's live records; it keeps no copy of its own. Whether the
// edits stand is the edit transaction's business (TMK::EditSettings): OK keeps
// them, any other close has them put back.
#pragma once

#include <QDialog>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "device/mk.h"
#include "editor/bound_control.h"
#include "editor/changed_marks.h"
#include "editor/editor_context.h"
#include "editor/settings_page.h"
#include "settings/changed_settings.h"
#include "widgets/dialogs.h"
#include "widgets/window_environment.h"

class QCompleter;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QHideEvent;
class QShowEvent;
class QTabWidget;
class QVBoxLayout;

namespace mk::editor {

class TMK_SetParamsDlg final : public QDialog {
  Q_OBJECT

 public:
  /// Builds every page; `dialogs` shows the range errors, the pages' messages
  /// and the tank page's file dialogs.
  /// `file_folder`: where the tank page's file dialogs start (UTF-8).
  TMK_SetParamsDlg(device::TMK& mk, widgets::IDialogs& dialogs, QWidget* parent = nullptr,
                   std::string file_folder = {});
  ~TMK_SetParamsDlg() override;

  /// Shows the dialog modally; true when it closed with OK.
  bool Run();

  TEditorContext& Context() { return context_; }
  QTabWidget* PageControl() const { return page_control_; }
  TSettingsPage* PageOf(settings::Page page) const;
  QPushButton* OkButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  QLineEdit* SearchField() const { return search_; }
  QLabel* ChangedLabel() const { return changed_label_; }
  /// Settings whose shown value differs from the one the dialog opened with.
  int ChangedCount() const { return changed_count_; }

  /// The settings whose caption contains `text` (any case), as "caption — page".
  QStringList SearchMatches(const QString& text) const;
  /// Shows the page of the setting a search entry names and focuses its control.
  bool GoTo(const QString& entry);
  /// The same for the control called `name`.
  bool GoToSetting(const std::string& name);
  /// Shows the page «Бак» and loads the tank settings file at `path` there.
  void OpenTankFile(const std::string& path);

  /// The opening sequence: first page everywhere, every page filled from the
  /// image, pages the variant lacks hidden. Runs each time the dialog is shown.
  void Open();  // NOLINT(bugprone-virtual-near-miss): not QDialog::open; showEvent runs it

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  /// Ctrl+Z and Ctrl+Shift+Z, Ctrl+PgDown/PgUp and Ctrl+(Shift+)Tab, Ctrl+F
  /// over the whole dialog, even inside an edit field or a combo box.
  bool eventFilter(QObject* watched, QEvent* event) override;

 public slots:
  /// Commits what is still being typed first; a refused value keeps the dialog open.
  void accept() override;
  /// With changes, asks first whether to throw them away; "Нет" stays.
  void reject() override;
  /// Once closed, nothing writes: an edit field losing the focus as the dialog
  /// goes must not change records the transaction has already kept or put back.
  void done(int result) override;

 private:
  /// The count of changes and the search field above the pages.
  void BuildSearchRow(QVBoxLayout* layout);
  void BuildPages(QVBoxLayout* layout);
  void BuildButtons(QVBoxLayout* layout);
  /// Follows the context: page switches, refills, protocol changes and edits.
  void ConnectContext();
  void RefillAll();
  void UpdateMarks();
  void RebuildSearch();
  std::vector<TBoundControl*> AllControls() const;
  void UndoOrRedo(bool redo);
  /// Commits what the focused control holds typed; false when it was refused.
  bool CommitFocused();
  /// The next (1) or previous (-1) page the variant shows, round the end.
  void StepPage(int direction);

  TEditorContext context_;
  QTabWidget* page_control_ = nullptr;
  std::vector<TSettingsPage*> pages_;  // in settings::kPages order
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QLineEdit* search_ = nullptr;
  QCompleter* completer_ = nullptr;
  QLabel* changed_label_ = nullptr;
  /// Where a search entry leads: the setting, and the widget that shows it.
  struct Found {
    const settings::Setting* setting;
    QWidget* widget;
  };
  /// The widget a setting drawn by hand sits in: its own name, or what draws it.
  QWidget* DrawnWidget(const settings::Setting& s) const;

  std::optional<settings::ChangeTracker> changes_;  // against the image as opened
  /// The marks the pages lay inside shared grids and previews.
  TChangedMarks marks_;
  /// Hand-drawn settings with a widget of their own, marked on that widget.
  std::vector<std::pair<std::string_view, QWidget*>> drawn_widgets_;
  std::map<QString, Found> search_entries_;
  int changed_count_ = 0;
};

/// The editor over `mk`, run modally inside TMK::EditSettings; it opens at
/// `environment.focus` (a setting's control name) when one is given. Changed
/// when closed with OK.
widgets::WindowOutcome RunSettingsEditor(device::TMK& mk,
                                         const widgets::WindowEnvironment& environment);

}  // namespace mk::editor
