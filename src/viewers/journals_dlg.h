// SPDX-License-Identifier: GPL-3.0-or-later
// TMK_ViewJournalsDlg: the modal window "Просмотр журналов" over the device
// model's Journals, Totals and ErrorJournal records. It shows the core's
// texts, saves a journal as a text file and clears journals and totals in
// the records; whether a clearing is kept is for the journals transaction to
// decide by how the window closes.
#pragma once

#include <QDialog>

#include <array>
#include <string>

#include "journal/error_journal.h"
#include "journal/text_grid.h"
#include "journal/trip_journal.h"
#include "widgets/decimal_separator.h"
#include "widgets/window_environment.h"

class QLabel;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace mk::widgets {
class IDialogs;
}
namespace mk::device {
class TMK;
}

namespace mk::viewers {

inline constexpr const char* kJournalsCaption = "Просмотр журналов";

class TMK_ViewJournalsDlg final : public QDialog {
  Q_OBJECT

 public:
  /// `dialogs` runs the save dialog (starting in `program_folder`) and shows
  /// save failures. Numbers use `separator`, by default the user's.
  TMK_ViewJournalsDlg(device::TMK& mk, widgets::IDialogs& dialogs, std::string program_folder,
                      QWidget* parent = nullptr, char separator = widgets::DecimalSeparator());

  /// True once anything was cleared: OK then changes the settings.
  bool Cleared() const { return cleared_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  /// Fills every page from the records; runs when the window is first shown.
  void FillAll();
  /// Saves the journal shown on its page as a text file.
  void SaveJournal(journal::JournalKind kind);
  void ClearJournal(journal::JournalKind kind);
  void ClearErrorJournal();
  /// Zeroes totals group `group` (in journal::kTotalsGroups order) and refills its grid.
  void ClearTotals(std::size_t group);

  void BuildControls();
  /// The page of the trip or refuelling journal: its grid, and its buttons
  /// that clear it and save it.
  QWidget* BuildJournalPage(journal::JournalKind kind);
  QWidget* BuildSumPage();
  QWidget* BuildErrorPage();
  void FillJournal(journal::JournalKind kind);
  void FillTotals(std::size_t group);
  void FillErrors();
  /// Refills the freeze frame for the selected row of the error journal.
  void FillFreezeFrame();
  QTableWidget* JournalGridOf(journal::JournalKind kind) const;

  QTabWidget* pages_ = nullptr;
  QTableWidget* trip_grid_ = nullptr;
  QTableWidget* tank_grid_ = nullptr;
  /// The grids of journal::kTotalsGroups, in that order.
  std::array<QTableWidget*, 8> totals_grids_{};
  QTableWidget* errors_grid_ = nullptr;
  /// The freeze frame of the error selected in errors_grid_.
  QTableWidget* freeze_frame_grid_ = nullptr;

  device::TMK& mk_;
  widgets::IDialogs& dialogs_;
  std::string program_folder_;
  std::string separator_;
  journal::ErrorCodeStyle error_style_;
  std::array<journal::TextGrid, 2> journals_;  // as shown, and as saved
  bool cleared_ = false;
  bool shown_ = false;
};

/// The journals window over `mk`, run modally inside TMK::ViewJournals.
/// Changed when it closed with OK after a clearing.
widgets::WindowOutcome RunJournals(device::TMK& mk, const widgets::WindowEnvironment& environment);

}  // namespace mk::viewers
