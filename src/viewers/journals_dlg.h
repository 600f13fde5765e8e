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

  // Event handlers, public so that tests can run them as the controls do.
  void FormShow();
  void bTripClick();
  void bTankClick();
  void bTripResetClick();
  void bTankResetClick();
  void bErrrJResetClick();
  /// Refills the freeze frame for the selected row of sgErrors.
  void sgErrorsClick();
  /// Zeroes totals group `group` (in journal::kTotalsGroups order) and refills its grid.
  void TotalsDblClick(std::size_t group);

  QTabWidget* pcMain;
  QWidget* tsTrip;
  QTableWidget* sgTrip;
  QPushButton* bTripReset;
  QPushButton* bTrip;
  QWidget* tsTank;
  QTableWidget* sgTank;
  QPushButton* bTankReset;
  QPushButton* bTank;
  QWidget* tsSum;
  /// sgAllSum, sgTripSum, sgResetSum, sgStopSum, sgNoStopSum, sgTankSum,
  /// sgOilOnlySum, sgGasOnlySum: the groups of journal::kTotalsGroups.
  std::array<QTableWidget*, 8> sgSums{};
  QLabel* lSumNote;
  QWidget* tsErrors;
  QTableWidget* sgErrors;
  QTableWidget* sgStopCadr;
  QPushButton* bErrrJReset;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  QWidget* BuildJournalPage(const char* name, QTableWidget*& grid, const char* grid_name,
                            QPushButton*& reset, const char* reset_name, QPushButton*& save,
                            const char* save_name);
  QWidget* BuildSumPage();
  QWidget* BuildErrorPage();
  void FillJournal(journal::JournalKind kind);
  void FillTotals(std::size_t group);
  void FillErrors();
  void FillStopCadr();
  void SaveJournal(journal::JournalKind kind);
  QTableWidget* JournalGridOf(journal::JournalKind kind) const;

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
