// SPDX-License-Identifier: GPL-3.0-or-later
// The history window over a history the driving virtual MK filled: every
// table shows what the history holds for the vehicle and period chosen, the
// statistics' total row is the sum of the trips, and every table and chart
// is exported.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGuiApplication>
#include <QLocale>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>
#include <variant>

#include "history/history_store.h"
#include "journal/number_format.h"
#include "support/driven_history.h"
#include "support/files.h"
#include "support/named_controls.h"
#include "support/scripted_dialogs.h"
#include "viewers/history_chart_box.h"
#include "viewers/history_dlg.h"

namespace mk::viewers {
namespace {

using history::EntryKind;
using tests::FindNamed;

const history::LocalMinutes kFirstDay = *history::ParseIsoTime("2025-09-01");
constexpr int kDays = 200;

class HistoryWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    history::HistoryStore store(Path());
    tests::FillDriven(store, kFirstDay, kDays);
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::filesystem::path Path() { return dir_->filePath("history.sqlite").toStdString(); }

  void SetUp() override {
    store = std::make_unique<history::HistoryStore>(Path());
    window = std::make_unique<THistoryDlg>(*store, dialogs, "/opt/mk", nullptr, ',',
                                           kFirstDay + 1440LL * kDays);
    window->show();
  }

  // A grid as the user sees it: its page shown first (each is filled when looked at).
  const QAbstractItemModel* Shown(const char* grid) const {
    auto* view = FindNamed<QTableView>(*window, grid);
    auto* pages = FindNamed<QTabWidget>(*window, "pcHistory");
    for (int i = 0; i < pages->count(); ++i) {
      if (pages->widget(i)->isAncestorOf(view)) pages->setCurrentIndex(i);
    }
    return view->model();
  }
  int Rows(const char* grid) const { return Shown(grid)->rowCount(); }
  std::string Cell(const char* grid, int row, int col) const {
    return Shown(grid)->index(row, col).data().toString().toStdString();
  }
  void Choose(const char* box, const QString& text) const {
    auto* combo = FindNamed<QComboBox>(*window, box);
    const int at = combo->findText(text);
    ASSERT_GE(at, 0) << text.toStdString();
    combo->setCurrentIndex(at);
  }

  static QTemporaryDir* dir_;
  std::unique_ptr<history::HistoryStore> store;
  widgets::test::ScriptedDialogs dialogs;
  std::unique_ptr<THistoryDlg> window;
};
QTemporaryDir* HistoryWindowTest::dir_ = nullptr;

TEST_F(HistoryWindowTest, EveryTableShowsTheRecordsOfTheChosenPeriod) {
  const auto trips = store->Entries(EntryKind::Trip, {});
  ASSERT_GT(trips.size(), 21u * 10) << "the reads kept more trips than one journal holds";
  // Each year's trips counted from their moments, not by the query the window runs.
  const auto in_year = [&](int year) {
    int n = 0;
    for (const auto& t : trips) n += history::FromMinutes(t.entry.time).year == year ? 1 : 0;
    return n;
  };
  const struct {
    QString period;
    int trips;
  } cases[] = {{"Всё время", static_cast<int>(trips.size())},
               {"2025 год", in_year(2025)},
               {"2026 год", in_year(2026)}};
  for (const auto& c : cases) {
    Choose("cbPeriod", c.period);
    EXPECT_EQ(Rows("sgTrips"), c.trips) << c.period.toStdString();
  }
  Choose("cbPeriod", "Всё время");
  EXPECT_EQ(Rows("sgRefuels"), static_cast<int>(store->Entries(EntryKind::Refuel, {}).size()));
  ASSERT_EQ(Rows("sgErrors"), static_cast<int>(store->Errors({}).size()));
  ASSERT_GT(Rows("sgErrors"), 0);
  // Every code comes with what is known of it; its freeze frame follows the selection.
  EXPECT_FALSE(Cell("sgErrors", 0, 2).empty());
  EXPECT_FALSE(Cell("sgErrors", 0, 3).empty());
  auto* errors = FindNamed<QTableView>(*window, "sgErrors");
  errors->setCurrentIndex(errors->model()->index(0, 0));
  EXPECT_GT(Rows("sgFreezeFrame"), 1);
  EXPECT_EQ(Cell("sgFreezeFrame", 0, 0), "Код ошибки");
}

TEST_F(HistoryWindowTest, TheTotalRowIsTheSumOfTheTripsByMonthAndByYear) {
  std::int64_t metres = 0, fuel = 0;
  std::set<int> months, years;
  const auto trips = store->Entries(EntryKind::Trip, {});
  for (const auto& t : trips) {
    metres += t.entry.metres;
    fuel += t.entry.petrol_ml + t.entry.gas_ml;
    const auto at = history::FromMinutes(t.entry.time);
    months.insert(at.year * 12 + at.month);
    years.insert(at.year);
  }
  for (const QString by : {"По месяцам", "По годам"}) {
    Choose("cbStatsBy", by);
    const int last = Rows("sgStats") - 1;
    EXPECT_EQ(last, static_cast<int>(by == "По годам" ? years.size() : months.size()));
    EXPECT_EQ(Cell("sgStats", last, 0), "Итого");
    EXPECT_EQ(Cell("sgStats", last, 1), journal::Plain(static_cast<std::int64_t>(trips.size())));
    EXPECT_EQ(Cell("sgStats", last, 3), journal::Fixed(metres / 1000.0, 3, ","));
    EXPECT_EQ(Cell("sgStats", last, 4), journal::Fixed(fuel / 1000.0, 3, ","));
  }
}

TEST_F(HistoryWindowTest, EveryTableAndChartIsSavedInItsFormat) {
  const QString dir = dir_->path();
  const struct {
    const char* page;
    const char* button;
    widgets::FileKind kind;
    const char* file;
    std::string starts;
  } cases[] = {
      {"tsTrips", "bTripsText", widgets::FileKind::Text, "trips.txt", "\xC0\xE2\xF2\xEE"},  // Авто
      {"tsTrips", "bTripsCsv", widgets::FileKind::Csv, "trips.csv", "\xEF\xBB\xBFАвтомобиль;"},
      {"tsStats", "bStatsCsv", widgets::FileKind::Csv, "stats.csv", "\xEF\xBB\xBFПериод;"},
      {"tsErrors", "bErrorsText", widgets::FileKind::Text, "errors.txt", "\xC0\xE2\xF2\xEE"},
      {"tsCharts", "bChartSvg", widgets::FileKind::Svg, "chart.svg", "<"},
      {"tsCharts", "bChartPng", widgets::FileKind::Png, "chart.png", "\x89PNG"},
  };
  auto* pages = FindNamed<QTabWidget>(*window, "pcHistory");
  for (const auto& c : cases) {
    pages->setCurrentWidget(FindNamed<QWidget>(*window, c.page));
    const std::string path = (dir + "/" + c.file).toStdString();
    dialogs.text_paths = {path};
    tests::ClickNamed(*window, c.button);
    ASSERT_EQ(dialogs.text_kinds.back(), c.kind) << c.button;
    EXPECT_EQ(tests::ReadText(path).substr(0, c.starts.size()), c.starts) << c.button;
  }
  EXPECT_TRUE(dialogs.errors.empty());
  // The text and the CSV hold the header and a line a trip.
  const auto lines = [&](const char* file) {
    const std::string text = tests::ReadText((dir + "/" + file).toStdString());
    return std::count(text.begin(), text.end(), '\n');
  };
  EXPECT_EQ(lines("trips.txt"), Rows("sgTrips") + 1);
  EXPECT_EQ(lines("trips.csv"), Rows("sgTrips") + 1);
  // A save that cannot be written is said, nothing else.
  dialogs.text_paths = {(dir + "/missing/folder/trips.csv").toStdString()};
  tests::ClickNamed(*window, "bTripsCsv");
  EXPECT_EQ(dialogs.errors.size(), 1u);
}

TEST_F(HistoryWindowTest, AChartTellsTheValuesOfThePointUnderThePointer) {
  FindNamed<QTabWidget>(*window, "pcHistory")
      ->setCurrentWidget(FindNamed<QWidget>(*window, "tsCharts"));
  const struct {
    QString chart;
    const char* unit;
  } cases[] = {{"Расход по поездкам", " л/100 км"},
               {"Пробег по месяцам", " км"},
               {"Топливо по месяцам", " л"},
               {"Дни между заправками", " дн."}};
  for (const auto& c : cases) {
    Choose("cbChart", c.chart);
    const auto* box = FindNamed<THistoryChartBox>(*window, "pbChart");
    const auto& ops = box->Picture().ops;
    ASSERT_FALSE(ops.empty());
    // The first bar or point drawn after the axes: its tip names its value.
    const scope::FillOp* mark = nullptr;
    for (std::size_t i = 1; i < ops.size() && mark == nullptr; ++i)
      mark = std::get_if<scope::FillOp>(&ops[i]);
    ASSERT_NE(mark, nullptr);
    const auto* tip = box->TipAt(mark->x + mark->width / 2, mark->y + mark->height - 1);
    ASSERT_NE(tip, nullptr) << c.chart.toStdString();
    EXPECT_NE(tip->text.find(c.unit), std::string::npos) << tip->text;
    EXPECT_EQ(box->TipAt(2, 2), nullptr) << "none over the scale";
  }
}

// Pictures of the statistics and the charts for docs/, over 400 days of the
// virtual MK's driving read every five days: run by hand under a real X
// display (Xvfb with a window manager), skipped otherwise:
//   MK_SCREENSHOTS=DIR QT_QPA_PLATFORM=xcb DISPLAY=:N tests_viewers
//   --gtest_filter='HistoryScreenshot*'
TEST(HistoryScreenshot, StatisticsAndCharts) {
  const char* dir = std::getenv("MK_SCREENSHOTS");
  if (dir == nullptr || QGuiApplication::platformName() != "xcb") {
    GTEST_SKIP() << "set MK_SCREENSHOTS and run on an X display";
  }
  QTemporaryDir temp;
  history::HistoryStore store(temp.filePath("history.sqlite").toStdString());
  tests::FillDriven(store, history::LocalNow() / 1440 * 1440 - 1440 * 400, 400);
  widgets::test::ScriptedDialogs dialogs;
  THistoryDlg w(store, dialogs, temp.path().toStdString(), nullptr, ',');
  w.show();
  w.move(40, 40);
  auto* pages = FindNamed<QTabWidget>(w, "pcHistory");
  for (const auto& [page, file] :
       {std::pair{"tsStats", "/history-stats.png"}, std::pair{"tsCharts", "/history-charts.png"}}) {
    pages->setCurrentWidget(FindNamed<QWidget>(w, page));
    QTest::qWait(1000);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0).copy(w.frameGeometry());
    ASSERT_TRUE(shot.save(QString::fromUtf8(dir) + file));
  }
}

}  // namespace
}  // namespace mk::viewers
