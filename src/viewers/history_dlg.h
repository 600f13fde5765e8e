// SPDX-License-Identifier: GPL-3.0-or-later
// THistoryDlg: the window "История" over the history of trips, refuellings and
// errors across reads: a vehicle and a period chosen, the tables of trips,
// refuellings, errors and statistics, and the charts, each table exported as
// the journals' text or as CSV and each chart saved as SVG or PNG.
#pragma once

#include <QDialog>

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "history/charts.h"
#include "history/history_store.h"
#include "history/period_choices.h"
#include "journal/text_grid.h"
#include "widgets/decimal_separator.h"
#include "widgets/window_environment.h"

class QComboBox;
class QTabWidget;
class QTableView;

namespace mk::widgets {
class IDialogs;
}

namespace mk::viewers {

class TTextGridModel;
class THistoryChartBox;

inline constexpr const char* kHistoryCaption = "История";

class THistoryDlg final : public QDialog {
  Q_OBJECT

 public:
  /// `dialogs` runs the save dialogs (starting in `folder`) and shows their
  /// failures. Numbers use `separator`; the last twelve months end at `now`.
  THistoryDlg(history::HistoryStore& store, widgets::IDialogs& dialogs, std::string folder,
              QWidget* parent = nullptr, char separator = widgets::DecimalSeparator(),
              history::LocalMinutes now = history::LocalNow());

 private:
  /// The tables a page shows and exports.
  enum class Table { Trips, Refuels, Errors, Stats };
  static constexpr std::size_t kTableCount = 4;  // the tables above

  void BuildControls();
  QWidget* BuildTablePage(Table table, QWidget* above = nullptr, QWidget* below = nullptr);
  QWidget* BuildChartPage();
  /// The periods of the chosen vehicle's years, keeping the chosen one when it is still there.
  void FillPeriods();
  /// Every table from the history for the chosen vehicle and period, each
  /// when it is first looked at (years of trips take a while to ask for).
  void FillTables();
  void FillShown();
  /// The table from the history, when it is not filled for the choice yet.
  void Fill(Table table);
  /// Trips or refuellings, each row written when the view shows it.
  void ShowEntries(Table table, const std::vector<history::StoredEntry>& entries);
  void FillStats();
  /// Columns as wide as their texts and headers.
  void FitColumns(const char* grid);
  void FillFreezeFrame();
  /// The chart chosen, when its page is shown.
  void FillChart();
  history::Query ChosenQuery() const;
  void ExportTable(Table table, bool csv);
  void SaveChart(bool png);
  TTextGridModel* ModelOf(Table table) const;

  history::HistoryStore& store_;
  widgets::IDialogs& dialogs_;
  std::string folder_;
  std::string separator_;
  history::LocalMinutes now_;

  QComboBox* vehicle_box_ = nullptr;
  QComboBox* period_box_ = nullptr;
  QComboBox* stats_by_box_ = nullptr;
  QComboBox* chart_box_ = nullptr;
  QTabWidget* pages_ = nullptr;
  QTableView* error_view_ = nullptr;
  std::array<TTextGridModel*, kTableCount> models_{};
  TTextGridModel* frame_model_ = nullptr;
  THistoryChartBox* chart_ = nullptr;

  std::vector<history::PeriodChoice> periods_;
  std::vector<history::StoredEntry> trips_;
  std::vector<history::StoredEntry> refuels_;
  std::vector<history::StoredError> errors_;
  std::vector<history::StatsRow> months_;
  std::array<bool, kTableCount> stale_{};
  bool chart_stale_ = true;
};

/// The history window over `store`, run modally.
void RunHistory(history::HistoryStore& store, const widgets::WindowEnvironment& environment);

}  // namespace mk::viewers
