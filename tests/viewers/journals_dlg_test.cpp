// SPDX-License-Identifier: GPL-3.0-or-later
// What the journals window shows and does: the factory journals, the freeze
// frame, saving, clearing, and what OK and Cancel keep.
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "journal/text_grid.h"
#include "journal/trip_journal.h"
#include "journals_fixture.h"
#include "support/files.h"
#include "text/byte_io.h"

namespace mk::viewers::test {
namespace {

using device::BlockId;

std::vector<std::string> Row(const QTableWidget* grid, int row) {
  std::vector<std::string> cells;
  for (int c = 0; c < grid->columnCount(); ++c)
    cells.push_back(CellText(grid, row, c).toStdString());
  return cells;
}

bool AllBlank(const QTableWidget* grid) {
  for (int r = 0; r < grid->rowCount(); ++r) {
    for (int c = 0; c < grid->columnCount(); ++c) {
      if (!CellText(grid, r, c).isEmpty()) return false;
    }
  }
  return true;
}

std::span<std::uint8_t> ErrorRecord(device::TMK& mk, std::size_t slot) {
  return mk.Rec(BlockId::ErrorJournal).Element("ErrorRecords", slot);
}

TEST_F(JournalsTest, ShowsTheFactoryTripsAndRefuellings) {
  auto& w = Open();
  EXPECT_EQ(Row(Named(w, "sgTrip"), 1),
            (std::vector<std::string>{"Посл.", "18:42   14.03", "0:42", "31,400", "3,120", "45",
                                      "9,9", "4,46", "172,2"}));
  EXPECT_EQ(Cell(Named(w, "sgTrip"), 5, 1), "12:30   11.03");
  EXPECT_EQ(Cell(Named(w, "sgTrip"), 6, 1), "Пусто");
  EXPECT_EQ(Cell(Named(w, "sgTrip"), 6, 2), "");
  EXPECT_EQ(Cell(Named(w, "sgTank"), 1, 1), "17:55   12.03");
  EXPECT_EQ(Cell(Named(w, "sgTank"), 3, 1), "20:03   19.02");
  EXPECT_EQ(Cell(Named(w, "sgTank"), 4, 1), "Пусто");
}

TEST_F(JournalsTest, AllEmptyJournalsShowPustoAndOnlyLabelsBesides) {
  device::TMK fresh;
  TMK_ViewJournalsDlg w(fresh, dialogs, kProgramFolder, nullptr, ',');
  w.show();
  for (const QTableWidget* grid : {Named(w, "sgTrip"), Named(w, "sgTank")}) {
    for (int r = 1; r < 22; ++r) {
      std::vector<std::string> expected(9, "");
      expected[0] = r == 1 ? "Посл." : std::to_string(r - 1);
      expected[1] = "Пусто";
      EXPECT_EQ(Row(grid, r), expected);
    }
  }
}

TEST_F(JournalsTest, TotalsShowEveryGroupAndTheStartMileage) {
  auto& w = Open();
  EXPECT_EQ(Row(Named(w, "sgAllSum"), 0), (std::vector<std::string>{"Время", "225:39"}));
  EXPECT_EQ(Row(Named(w, "sgAllSum"), 1), (std::vector<std::string>{"Пробег, км", "58434,500"}));
  EXPECT_EQ(Row(Named(w, "sgAllSum"), 3),
            (std::vector<std::string>{"Ср.скорость, км/час", "45,4"}));
  EXPECT_EQ(Row(Named(w, "sgResetSum"), 1), (std::vector<std::string>{"Пробег, км", "10234,500"}));
  EXPECT_EQ(Row(Named(w, "sgGasOnlySum"), 5),
            (std::vector<std::string>{"Ср.расход, л/час", "-----"}));
}

TEST_F(JournalsTest, ErrorsShowWithTheFreezeFrameOfTheFirstRow) {
  auto& w = Open();
  QTableWidget* errors = Named(w, "sgErrors");
  const QTableWidget* frame = Named(w, "sgStopCadr");
  const journal::ErrorCodeStyle style = journal::CurrentErrorCodeStyle(mk);
  EXPECT_EQ(Row(errors, 1),
            (std::vector<std::string>{"0", "7:48 13.03",
                                      journal::RenderErrorCode(0x0301, style.format, style.options),
                                      journal::DescribeErrorCode(0x0301, style)}));
  EXPECT_EQ(Cell(errors, 3, 1), "25:30 28.02");
  EXPECT_EQ(Row(errors, 4), (std::vector<std::string>{"3", "", "", ""}));
  EXPECT_EQ(errors->currentRow(), 1);
  ASSERT_EQ(frame->rowCount(), 14);
  EXPECT_EQ(Row(frame, 0), (std::vector<std::string>{"Код ошибки", "P0301"}));
  EXPECT_EQ(Row(frame, 1), (std::vector<std::string>{"Пропуски воспламенения в цилиндре 1", ""}));
  EXPECT_EQ(frame->columnSpan(1, 0), 2) << "the description spans the line";
  EXPECT_EQ(frame->columnSpan(2, 0), 1);
  EXPECT_EQ(Row(frame, 2), (std::vector<std::string>{"Сост. топливной системы 1", "Замкнута"}));
  EXPECT_EQ(Row(frame, 11), (std::vector<std::string>{"Угол опережения зажигания, ВМТ", "8,5"}));

  errors->setCurrentCell(2, 1);
  EXPECT_EQ(Row(frame, 0), (std::vector<std::string>{"Код ошибки", "P0171"}));
}

TEST_F(JournalsTest, AnErrorWithoutAFreezeFrameLeavesTheFreezeFrameBlank) {
  bytes::WriteU32(ErrorRecord(mk, 1), 8, 0);
  auto& w = Open();
  QTableWidget* errors = Named(w, "sgErrors");
  const QTableWidget* frame = Named(w, "sgStopCadr");
  const int rows = frame->rowCount();
  errors->setCurrentCell(2, 2);
  EXPECT_TRUE(AllBlank(frame));
  EXPECT_EQ(frame->rowCount(), rows) << "the rows stay";
  errors->setCurrentCell(5, 2);  // an empty slot
  EXPECT_TRUE(AllBlank(frame));
  EXPECT_EQ(Cell(errors, 2, 2).empty(), false) << "the error itself still shows";
}

TEST_F(JournalsTest, AFreezeFrameWithoutPidsShowsOnlyTheCodeLineAndItsDescription) {
  auto map = mk.Rec(BlockId::ErrorJournal).Element("PidMap");
  std::fill(map.begin(), map.end(), 0);
  auto& w = Open();
  const QTableWidget* frame = Named(w, "sgStopCadr");
  ASSERT_EQ(frame->rowCount(), 2);
  EXPECT_EQ(Row(frame, 0), (std::vector<std::string>{"Код ошибки", "P0301"}));
}

TEST_F(JournalsTest, NumbersFollowTheSystemsSeparatorNotTheProgramsRussianTexts) {
  // The program sets Russian as its default locale for the toolkit's texts;
  // numbers still take the system's separator, as mkctl journals does.
  QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  const std::string separator = QLocale::system().decimalPoint().toStdString();
  TMK_ViewJournalsDlg w(mk, dialogs, kProgramFolder);
  w.show();
  EXPECT_EQ(Cell(Named(w, "sgTrip"), 1, 3), "31" + separator + "400");
  EXPECT_EQ(Cell(Named(w, "sgAllSum"), 1, 1), "58434" + separator + "500");
}

TEST_F(JournalsTest, NumbersTakeTheSeparatorGiven) {
  TMK_ViewJournalsDlg w(mk, dialogs, kProgramFolder, nullptr, '.');
  w.show();
  EXPECT_EQ(Cell(Named(w, "sgTrip"), 1, 3), "31.400");
  EXPECT_EQ(Cell(Named(w, "sgAllSum"), 1, 1), "58434.500");
}

TEST_F(JournalsTest, SavingWritesTheShownJournalAs22LinesOf9Fields) {
  tests::TempFolder folder("journals-save");
  const auto path = folder.path() / "поездки.txt";
  dialogs.text_paths.push_back(path.string());
  auto& w = Open();
  tests::ClickNamed(w, "bTrip");
  EXPECT_EQ(dialogs.text_folders, (std::vector<std::string>{kProgramFolder}));
  EXPECT_TRUE(dialogs.errors.empty());
  const std::vector<std::uint8_t> bytes = tests::ReadBytes(path);
  EXPECT_EQ(bytes, journal::ExportBytes(journal::JournalGrid(mk.Rec(BlockId::Journals).Bytes(),
                                                             journal::JournalKind::Trip, ",")));
  const std::string text(bytes.begin(), bytes.end());
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 22);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\t'), 22 * 9);
  EXPECT_TRUE(text.starts_with("#\t\xC4\xE0\xF2\xE0 "));  // "Дата" in Windows-1251

  dialogs.text_paths.push_back(path.string());
  tests::ClickNamed(w, "bTank");
  EXPECT_NE(tests::ReadBytes(path), bytes) << "the refuelling journal replaced it";
}

TEST_F(JournalsTest, ACancelledSaveDoesNothing) {
  auto& w = Open();
  dialogs.text_paths.push_back(std::nullopt);
  tests::ClickNamed(w, "bTank");
  EXPECT_EQ(dialogs.text_folders.size(), 1u);
  EXPECT_TRUE(dialogs.errors.empty());
}

TEST_F(JournalsTest, AFailedSaveShowsTheSystemsReasonAndTheWindowStays) {
  tests::TempFolder folder("journals-save");
  const auto path = folder.path() / "missing" / "trips.txt";
  dialogs.text_paths.push_back(path.string());
  auto& w = Open();
  tests::ClickNamed(w, "bTrip");
  ASSERT_EQ(dialogs.errors.size(), 1u);
  EXPECT_EQ(dialogs.errors[0],
            "Не удалось записать файл «" + path.string() + "». Причина: нет такой папки.");
  EXPECT_TRUE(w.isVisible());
  EXPECT_EQ(w.result(), 0);
}

TEST_F(JournalsTest, ClearingTheTripJournalThenCancelKeepsIt) {
  const std::vector<std::uint8_t> image = mk.Image();
  const bool ok = mk.ViewJournals([&] {
    auto& w = Open();
    tests::ClickNamed(w, "bTripReset");
    EXPECT_EQ(Cell(Named(w, "sgTrip"), 1, 1), "Пусто");
    EXPECT_EQ(Cell(Named(w, "sgTank"), 1, 1), "17:55   12.03") << "only the trip journal";
    EXPECT_TRUE(w.Cleared());
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    return w.result() == QDialog::Accepted;
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(mk.Image(), image);
  mk.ViewJournals([&] {
    EXPECT_EQ(Cell(Named(Open(), "sgTrip"), 1, 1), "18:42   14.03")
        << "opened again: the old entries";
    return false;
  });
}

TEST_F(JournalsTest, ClearingKeptWithOkReachesTheImage) {
  const bool ok = mk.ViewJournals([&] {
    auto& w = Open();
    tests::ClickNamed(w, "bTankReset");
    tests::ClickNamed(w, "bErrrJReset");
    EXPECT_EQ(Row(Named(w, "sgErrors"), 1), (std::vector<std::string>{"0", "", "", ""}));
    EXPECT_TRUE(AllBlank(Named(w, "sgStopCadr")));
    tests::ClickNamed(w, "OKBtn");
    return w.result() == QDialog::Accepted;
  });
  ASSERT_TRUE(ok);
  device::TMK reread;
  reread.ReplaceImage(1, mk.Image());
  TMK_ViewJournalsDlg w(reread, dialogs, kProgramFolder, nullptr, ',');
  w.show();
  EXPECT_EQ(Cell(Named(w, "sgTank"), 1, 1), "Пусто");
  EXPECT_EQ(Cell(Named(w, "sgTrip"), 1, 1), "18:42   14.03");
  EXPECT_EQ(Cell(Named(w, "sgErrors"), 1, 1), "");
}

TEST_F(JournalsTest, DoubleClickingATotalsGridZeroesThatGroupOnly) {
  auto& w = Open();
  const auto trip_before = Row(Named(w, "sgTripSum"), 1);
  Named<QTabWidget>(w, "pcMain")->setCurrentWidget(Named<QWidget>(w, "tsSum"));
  QTableWidget* all = Named(w, "sgAllSum");
  const QPoint at = all->visualItemRect(all->item(2, 1)).center();
  QTest::mouseClick(all->viewport(), Qt::LeftButton, {}, at);
  QTest::mouseDClick(all->viewport(), Qt::LeftButton, {}, at);
  EXPECT_EQ(Row(all, 0), (std::vector<std::string>{"Время", "0:00"}));
  EXPECT_EQ(Row(all, 1), (std::vector<std::string>{"Пробег, км", "48200,000"}));
  for (int r = 3; r < 6; ++r) EXPECT_EQ(Cell(all, r, 1), "-----");
  EXPECT_EQ(Row(Named(w, "sgTripSum"), 1), trip_before);
  EXPECT_TRUE(w.Cleared());
  EXPECT_EQ(mk.Rec(BlockId::Totals).GetInt("AllPathStart"), 48200);
  EXPECT_EQ(mk.Rec(BlockId::Totals).GetInt("AllSum", 1), 0);
}

// RunJournals, modal inside the journals transaction as the main window runs it.
TEST_F(JournalsTest, RunJournalsChangesTheSettingsOnlyWhenOkKeepsAClearing) {
  struct Case {
    const char* name;
    std::function<void(TMK_ViewJournalsDlg&)> act;
    widgets::WindowOutcome expected;
  };
  const Case cases[] = {
      {"OK after a clearing",
       [](TMK_ViewJournalsDlg& w) {
         tests::ClickNamed(w, "bTripReset");
         tests::ClickNamed(w, "OKBtn");
       },
       {.accepted = true, .changed = true}},
      {"OK alone",
       [](TMK_ViewJournalsDlg& w) { tests::ClickNamed(w, "OKBtn"); },
       {.accepted = true}},
      {"Cancel after a clearing",
       [](TMK_ViewJournalsDlg& w) {
         tests::ClickNamed(w, "bErrrJReset");
         tests::ClickNamed(w, "CancelBtn");
       },
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTimer::singleShot(0, [&] {
      auto* w = qobject_cast<TMK_ViewJournalsDlg*>(QApplication::activeModalWidget());
      ASSERT_NE(w, nullptr);
      c.act(*w);
    });
    widgets::WindowOutcome outcome;
    const bool kept = mk.ViewJournals([&] {
      outcome = RunJournals(mk, {.parent = nullptr,
                                 .dialogs = &dialogs,
                                 .folder = kProgramFolder,
                                 .focus = {},
                                 .tank_file = {}});
      return outcome.accepted;
    });
    EXPECT_EQ(kept, c.expected.accepted);
    EXPECT_EQ(outcome.accepted, c.expected.accepted);
    EXPECT_EQ(outcome.changed, c.expected.changed);
  }
}

}  // namespace
}  // namespace mk::viewers::test
