// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/history_dlg.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "device/atomic_file.h"
#include "history/tables.h"
#include "preview/png_writer.h"
#include "scope/osc_svg.h"
#include "text/utf8_path.h"
#include "viewers/history_chart_box.h"
#include "viewers/text_grid_model.h"
#include "widgets/dialogs.h"
#include "widgets/qt_text.h"

namespace mk::viewers {
namespace {

using history::ChartKind;
using history::EntryKind;
using widgets::Q;

constexpr const char* kEveryVehicle = "Все автомобили";

struct ChartChoice {
  ChartKind kind;
  const char* text;
  const char* file;  // the name the save dialog offers, without its extension
};
constexpr ChartChoice kCharts[] = {
    {ChartKind::Consumption, "Расход по поездкам", "История-расход"},
    {ChartKind::Monthly, "Пробег по месяцам", "История-пробег"},
    {ChartKind::MonthlyFuel, "Топливо по месяцам", "История-топливо"},
    {ChartKind::MonthlyCost, "Стоимость по месяцам", "История-стоимость"},
    {ChartKind::Refuels, "Дни между заправками", "История-заправки"},
};

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption) {
  auto* button = new QPushButton(Q(caption), parent);
  button->setObjectName(Q(name));
  button->setAutoDefault(false);
  return button;
}

QTableView* MakeView(QWidget* parent, const char* name, TTextGridModel* model) {
  auto* view = new QTableView(parent);
  view->setObjectName(Q(name));
  view->setModel(model);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->verticalHeader()->setDefaultSectionSize(20);
  // Columns fitted to the first rows: measuring every row of years of trips
  // would cost seconds.
  view->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  view->horizontalHeader()->setResizeContentsPrecision(200);
  view->horizontalHeader()->setStretchLastSection(true);
  return view;
}

// Each table's page and grid, its save buttons and its export's file name.
struct TableNames {
  const char* page_name;
  const char* grid;
  const char* text;  // Save text
  const char* csv;   // Save CSV
  const char* file;
};
constexpr TableNames kTableNames[] = {
    {"tsTrips", "sgTrips", "bTripsText", "bTripsCsv", "История-поездки"},
    {"tsRefuels", "sgRefuels", "bRefuelsText", "bRefuelsCsv", "История-заправки"},
    {"tsErrors", "sgErrors", "bErrorsText", "bErrorsCsv", "История-ошибки"},
    {"tsStats", "sgStats", "bStatsText", "bStatsCsv", "История-статистика"},
};

}  // namespace

THistoryDlg::THistoryDlg(history::HistoryStore& store, widgets::IDialogs& dialogs,
                         std::string folder, QWidget* parent, char separator,
                         history::LocalMinutes now)
    : QDialog(parent),
      store_(store),
      dialogs_(dialogs),
      folder_(std::move(folder)),
      separator_(1, separator),
      now_(now) {
  setObjectName(QStringLiteral("HistoryDlg"));
  setWindowTitle(Q(kHistoryCaption));
  BuildControls();
  resize(1010, 620);
  FillPeriods();
  FillTables();
}

void THistoryDlg::BuildControls() {
  for (auto& model : models_) model = new TTextGridModel(this);
  frame_model_ = new TTextGridModel(this);

  auto* layout = new QVBoxLayout(this);
  auto* choosers = new QHBoxLayout;
  vehicle_box_ = new QComboBox(this);
  vehicle_box_->setObjectName(QStringLiteral("cbVehicle"));
  vehicle_box_->addItem(Q(kEveryVehicle));
  const auto last = store_.LastVehicle();
  for (const auto& v : store_.Vehicles()) {
    vehicle_box_->addItem(Q(v.name));
    if (last && last->id == v.id) vehicle_box_->setCurrentIndex(vehicle_box_->count() - 1);
  }
  period_box_ = new QComboBox(this);
  period_box_->setObjectName(QStringLiteral("cbPeriod"));
  period_box_->setMinimumContentsLength(22);
  auto* vehicle_label = new QLabel(QStringLiteral("&Автомобиль:"), this);
  vehicle_label->setBuddy(vehicle_box_);
  auto* period_label = new QLabel(QStringLiteral("&Период:"), this);
  period_label->setBuddy(period_box_);
  choosers->addWidget(vehicle_label);
  choosers->addWidget(vehicle_box_);
  choosers->addSpacing(16);
  choosers->addWidget(period_label);
  choosers->addWidget(period_box_);
  choosers->addStretch(1);
  layout->addLayout(choosers);

  pages_ = new QTabWidget(this);
  pages_->setObjectName(QStringLiteral("pcHistory"));
  pages_->addTab(BuildTablePage(Table::Trips), QStringLiteral("Поездки"));
  pages_->addTab(BuildTablePage(Table::Refuels), QStringLiteral("Заправки"));
  auto* frame_view = MakeView(nullptr, "sgFreezeFrame", frame_model_);
  frame_view->setSelectionMode(QAbstractItemView::NoSelection);
  frame_view->horizontalHeader()->setDefaultSectionSize(420);
  pages_->addTab(BuildTablePage(Table::Errors, nullptr, frame_view), QStringLiteral("Ошибки"));
  stats_by_box_ = new QComboBox;
  stats_by_box_->setObjectName(QStringLiteral("cbStatsBy"));
  stats_by_box_->addItems({QStringLiteral("По месяцам"), QStringLiteral("По годам")});
  pages_->addTab(BuildTablePage(Table::Stats, stats_by_box_), QStringLiteral("Статистика"));
  pages_->addTab(BuildChartPage(), QStringLiteral("Графики"));
  layout->addWidget(pages_, 1);

  auto* close = MakeButton(this, "bClose", "Закрыть");
  layout->addWidget(close, 0, Qt::AlignRight);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  connect(vehicle_box_, &QComboBox::currentIndexChanged, this, [this] {
    FillPeriods();
    FillTables();
  });
  connect(period_box_, &QComboBox::currentIndexChanged, this, [this] { FillTables(); });
  connect(stats_by_box_, &QComboBox::currentIndexChanged, this, [this] { FillStats(); });
  connect(chart_box_, &QComboBox::currentIndexChanged, this, [this] {
    chart_stale_ = true;
    FillChart();
  });
  connect(pages_, &QTabWidget::currentChanged, this, [this] { FillShown(); });
  error_view_ = findChild<QTableView*>(QStringLiteral("sgErrors"));
  connect(error_view_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this] { FillFreezeFrame(); });
}

QWidget* THistoryDlg::BuildTablePage(Table table, QWidget* above, QWidget* below) {
  const TableNames& names = kTableNames[static_cast<int>(table)];
  auto* page = new QWidget;
  page->setObjectName(Q(names.page_name));
  auto* layout = new QVBoxLayout(page);
  auto* buttons = new QHBoxLayout;
  if (above != nullptr) buttons->addWidget(above);
  buttons->addStretch(1);
  auto* text = MakeButton(page, names.text, "Сохранить текстом…");
  auto* csv = MakeButton(page, names.csv, "Сохранить в CSV…");
  buttons->addWidget(text);
  buttons->addWidget(csv);
  layout->addLayout(buttons);
  QTableView* view = MakeView(page, names.grid, ModelOf(table));
  // A month or a year names each row of the statistics; a number would say nothing.
  view->verticalHeader()->setVisible(table != Table::Stats);
  layout->addWidget(view, 3);
  if (below != nullptr) layout->addWidget(below, 2);
  connect(text, &QPushButton::clicked, this, [this, table] { ExportTable(table, false); });
  connect(csv, &QPushButton::clicked, this, [this, table] { ExportTable(table, true); });
  return page;
}

QWidget* THistoryDlg::BuildChartPage() {
  auto* page = new QWidget;
  page->setObjectName(QStringLiteral("tsCharts"));
  auto* layout = new QVBoxLayout(page);
  auto* row = new QHBoxLayout;
  chart_box_ = new QComboBox(page);
  chart_box_->setObjectName(QStringLiteral("cbChart"));
  for (const auto& c : kCharts) chart_box_->addItem(Q(c.text));
  auto* svg = MakeButton(page, "bChartSvg", "Сохранить SVG…");
  auto* png = MakeButton(page, "bChartPng", "Сохранить PNG…");
  row->addWidget(chart_box_);
  row->addStretch(1);
  row->addWidget(svg);
  row->addWidget(png);
  layout->addLayout(row);
  chart_ = new THistoryChartBox(page);
  layout->addWidget(chart_, 0, Qt::AlignLeft | Qt::AlignTop);
  layout->addStretch(1);
  connect(svg, &QPushButton::clicked, this, [this] { SaveChart(false); });
  connect(png, &QPushButton::clicked, this, [this] { SaveChart(true); });
  return page;
}

TTextGridModel* THistoryDlg::ModelOf(Table table) const {
  return models_[static_cast<std::size_t>(table)];
}

history::Query THistoryDlg::ChosenQuery() const {
  const std::string vehicle =
      vehicle_box_->currentIndex() <= 0 ? std::string() : vehicle_box_->currentText().toStdString();
  const int period = period_box_->currentIndex();
  if (period < 0 || static_cast<std::size_t>(period) >= periods_.size()) return {vehicle, {}, {}};
  return history::PeriodQuery(vehicle, periods_[static_cast<std::size_t>(period)]);
}

void THistoryDlg::FillPeriods() {
  const QString chosen = period_box_->currentText();
  history::Query vehicle_only = ChosenQuery();
  vehicle_only.from.reset();
  vehicle_only.to.reset();
  periods_ = history::PeriodChoices(store_.TripYears(vehicle_only), now_);
  const QSignalBlocker quiet(period_box_);
  period_box_->clear();
  for (const auto& p : periods_) period_box_->addItem(Q(p.text));
  period_box_->setCurrentIndex(std::max(0, period_box_->findText(chosen)));
}

void THistoryDlg::FillTables() {
  stale_.fill(true);
  chart_stale_ = true;
  FillShown();
}

void THistoryDlg::FillShown() {
  const QString page = pages_->currentWidget()->objectName();
  for (std::size_t t = 0; t < stale_.size(); ++t) {
    if (page == QLatin1String(kTableNames[t].page_name)) Fill(static_cast<Table>(t));
  }
  FillChart();
}

void THistoryDlg::Fill(Table table) {
  auto& stale = stale_[static_cast<std::size_t>(table)];
  if (!stale) return;
  stale = false;
  const history::Query query = ChosenQuery();
  switch (table) {
    case Table::Trips:
      trips_ = store_.Entries(EntryKind::Trip, query);
      ShowEntries(table, trips_);
      break;
    case Table::Refuels:
      refuels_ = store_.Entries(EntryKind::Refuel, query);
      ShowEntries(table, refuels_);
      break;
    case Table::Errors:
      errors_ = store_.Errors(query);
      ModelOf(table)->SetGrid(history::ErrorTable(errors_));
      FillFreezeFrame();
      break;
    case Table::Stats:
      months_ = store_.Stats(history::Period::Month, query);
      FillStats();
      return;
  }
  FitColumns(kTableNames[static_cast<std::size_t>(table)].grid);
}

void THistoryDlg::ShowEntries(Table table, const std::vector<history::StoredEntry>& entries) {
  ModelOf(table)->SetRows(
      history::EntryHeader(), entries.size(),
      [this, &entries](std::size_t row) { return history::EntryRow(entries[row], separator_); });
}

void THistoryDlg::FillStats() {
  if (stale_[static_cast<std::size_t>(Table::Stats)]) return;  // filled when looked at
  // By month the rows are the ones the charts take too.
  const auto rows = stats_by_box_->currentIndex() == 1
                        ? store_.Stats(history::Period::Year, ChosenQuery())
                        : months_;
  ModelOf(Table::Stats)->SetGrid(history::StatsTable(rows, separator_), "Итого");
  FitColumns("sgStats");
}

void THistoryDlg::FitColumns(const char* grid) {
  findChild<QTableView*>(Q(grid))->resizeColumnsToContents();
}

void THistoryDlg::FillFreezeFrame() {
  journal::TextGrid grid{{"Стоп-кадр", "Значение"}};
  const int row = error_view_->currentIndex().row();
  if (row >= 0 && static_cast<std::size_t>(row) < errors_.size()) {
    for (auto& [caption, value] :
         history::ErrorFrameLines(errors_[static_cast<std::size_t>(row)].error, separator_))
      grid.push_back({caption, value});
  }
  frame_model_->SetGrid(std::move(grid));
}

void THistoryDlg::FillChart() {
  // A chart of years of trips is drawn when it is looked at, not before.
  if (!chart_stale_ || pages_->currentWidget()->objectName() != QStringLiteral("tsCharts")) return;
  chart_stale_ = false;
  for (Table table : {Table::Trips, Table::Refuels, Table::Stats}) Fill(table);
  std::vector<history::ChartTip> tips;
  auto picture = history::DrawChart(kCharts[chart_box_->currentIndex()].kind, trips_, refuels_,
                                    months_, {}, &tips, separator_);
  chart_->Show(std::move(picture), std::move(tips));
}

void THistoryDlg::ExportTable(Table table, bool csv) {
  const auto path = dialogs_.SaveFile(
      csv ? widgets::FileKind::Csv : widgets::FileKind::Text, folder_,
      std::string(kTableNames[static_cast<int>(table)].file) + (csv ? ".csv" : ".txt"));
  if (!path) return;
  try {
    Fill(table);
    const journal::TextGrid grid = ModelOf(table)->Grid();
    if (csv) {
      device::WriteFileAtomically(text::PathFromUtf8(*path), history::CsvText(grid),
                                  "Не удалось записать файл «" + *path + "».");
    } else {
      journal::SaveExport(text::PathFromUtf8(*path), grid);
    }
  } catch (const std::exception& e) {
    dialogs_.ShowError(e.what());
  }
}

void THistoryDlg::SaveChart(bool png) {
  chart_stale_ = true;
  FillChart();
  const auto path = dialogs_.SaveFile(
      png ? widgets::FileKind::Png : widgets::FileKind::Svg, folder_,
      std::string(kCharts[chart_box_->currentIndex()].file) + (png ? ".png" : ".svg"));
  if (!path) return;
  try {
    const std::string failure = "Не удалось записать файл «" + *path + "».";
    if (!png) {
      device::WriteFileAtomically(text::PathFromUtf8(*path), scope::PictureToSvg(chart_->Picture()),
                                  failure);
      return;
    }
    // The picture as shown, through the program's own PNG writer and atomic save.
    const QImage rgb = chart_->Bitmap().convertToFormat(QImage::Format_RGB888);
    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(rgb.width()) * rgb.height() * 3);
    for (int y = 0; y < rgb.height(); ++y) {
      const auto* line = rgb.constScanLine(y);
      bytes.insert(bytes.end(), line, line + rgb.width() * 3);
    }
    device::WriteFileAtomically(text::PathFromUtf8(*path),
                                preview::EncodePng(rgb.width(), rgb.height(), bytes), failure);
  } catch (const std::exception& e) {
    dialogs_.ShowError(e.what());
  }
}

void RunHistory(history::HistoryStore& store, const widgets::WindowEnvironment& environment) {
  widgets::WindowDialogs dialogs(environment.dialogs);
  THistoryDlg window(store, dialogs.Get(), environment.folder, environment.parent);
  dialogs.Over(&window);
  window.exec();
}

}  // namespace mk::viewers
