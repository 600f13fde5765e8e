// SPDX-License-Identifier: GPL-3.0-or-later
// What the journals window looks like: sizes, pages, grids, captions.
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

#include "journals_fixture.h"

namespace mk::viewers::test {
namespace {

std::vector<int> Widths(const QTableWidget* grid) {
  std::vector<int> widths;
  for (int c = 0; c < grid->columnCount(); ++c) widths.push_back(grid->columnWidth(c));
  return widths;
}

void ExpectRows(const QTableWidget* grid, int rows, int height) {
  EXPECT_EQ(grid->rowCount(), rows) << grid->objectName().toStdString();
  for (int r = 0; r < grid->rowCount(); ++r) {
    EXPECT_EQ(grid->rowHeight(r), height) << grid->objectName().toStdString() << " row " << r;
  }
}

TEST_F(JournalsTest, FixedSizeCaptionAndFourPagesInOrder) {
  auto& w = Open();
  EXPECT_EQ(w.windowTitle().toStdString(), "Просмотр журналов");
  EXPECT_EQ(w.size(), QSize(1002, 523));
  EXPECT_EQ(w.minimumSize(), w.maximumSize());
  QTabWidget* pages = Named<QTabWidget>(w, "pcMain");
  EXPECT_EQ(pages->height(), 489);
  ASSERT_EQ(pages->count(), 4);
  EXPECT_EQ(pages->tabText(0).toStdString(), "Журнал поездок");
  EXPECT_EQ(pages->tabText(1).toStdString(), "Журнал заправок");
  EXPECT_EQ(pages->tabText(2).toStdString(), "Средние");
  EXPECT_EQ(pages->tabText(3).toStdString(), "Журнал ошибок");
  EXPECT_EQ(pages->currentIndex(), 0);
  EXPECT_EQ(pages->widget(0), Named<QWidget>(w, "tsTrip"));
  EXPECT_EQ(Named<QWidget>(w, "tsTrip")->objectName(), "tsTrip");
  EXPECT_EQ(Named<QPushButton>(w, "OKBtn")->text(), "OK");
  EXPECT_TRUE(Named<QPushButton>(w, "OKBtn")->isDefault());
  EXPECT_EQ(Named<QPushButton>(w, "CancelBtn")->text().toStdString(), "Отмена");
  EXPECT_GE(Named<QPushButton>(w, "OKBtn")->y(), 489);
}

TEST_F(JournalsTest, JournalGridsHaveTheirColumnsRowsHeadersAndButtons) {
  auto& w = Open();
  for (QTableWidget* grid : {Named(w, "sgTrip"), Named(w, "sgTank")}) {
    EXPECT_EQ(Widths(grid), (std::vector<int>{50, 140, 96, 84, 131, 156, 145, 113, 78}));
    ExpectRows(grid, 22, 18);
    EXPECT_EQ(grid->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(grid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(Cell(grid, 0, 0), "#");
    EXPECT_EQ(Cell(grid, 0, 8), "Стоимость");
    EXPECT_EQ(Cell(grid, 1, 0), "Посл.");
    EXPECT_EQ(Cell(grid, 21, 0), "20");
    EXPECT_FALSE(grid->item(0, 3)->flags() & Qt::ItemIsSelectable) << "header row is fixed";
    EXPECT_FALSE(grid->item(5, 0)->flags() & Qt::ItemIsSelectable) << "label column is fixed";
    EXPECT_TRUE(grid->item(5, 3)->textAlignment() & Qt::AlignRight);
    EXPECT_TRUE(grid->item(0, 3)->textAlignment() & Qt::AlignLeft);
    EXPECT_FALSE(grid->item(5, 0)->textAlignment() & Qt::AlignRight);
  }
  EXPECT_EQ(Named(w, "sgTrip")->objectName(), "sgTrip");
  EXPECT_EQ(Named(w, "sgTank")->objectName(), "sgTank");
  EXPECT_EQ(Named<QPushButton>(w, "bTripReset")->text().toStdString(), "Очистить");
  EXPECT_EQ(Named<QPushButton>(w, "bTrip")->text().toStdString(), "Сохранить в файл");
  EXPECT_EQ(Named<QPushButton>(w, "bTankReset")->text().toStdString(), "Очистить");
  EXPECT_EQ(Named<QPushButton>(w, "bTank")->text().toStdString(), "Сохранить в файл");
  EXPECT_EQ(Named<QPushButton>(w, "bTank")->parentWidget(), Named<QWidget>(w, "tsTank"));
}

TEST_F(JournalsTest, TotalsGridsSitAtTheirPlacesUnderTheirCaptions) {
  auto& w = Open();
  struct Place {
    const char* name;
    int left, top;
    const char* caption;
  };
  const Place places[] = {
      {"sgAllSum", 8, 22, "Накопительные / Общие"},
      {"sgTripSum", 8, 174, "Поездка"},
      {"sgResetSum", 8, 326, "Сброс 1"},
      {"sgStopSum", 344, 22, "Пробки"},
      {"sgNoStopSum", 344, 174, "Без пробок"},
      {"sgTankSum", 344, 326, "Сброс 2 ( Между заправками )"},
      {"sgOilOnlySum", 680, 22, "Только бензин"},
      {"sgGasOnlySum", 680, 174, "Только газ"},
  };
  for (std::size_t g = 0; g < 8; ++g) {
    const Place& p = places[g];
    const QTableWidget* grid = Named(w, p.name);
    EXPECT_EQ(grid->objectName().toStdString(), p.name);
    EXPECT_EQ(grid->parentWidget(), Named<QWidget>(w, "tsSum"));
    EXPECT_EQ(grid->pos(), QPoint(p.left, p.top)) << p.name;
    EXPECT_EQ(Widths(grid), (std::vector<int>{147, 116})) << p.name;
    ExpectRows(grid, 6, 20);
    EXPECT_EQ(grid->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    const QLabel* caption = nullptr;
    for (const QLabel* label : Named<QWidget>(w, "tsSum")->findChildren<QLabel*>()) {
      if (label->text().toStdString() == p.caption) caption = label;
    }
    ASSERT_NE(caption, nullptr) << p.caption;
    EXPECT_EQ(caption->x(), p.left);
    EXPECT_LT(caption->y(), p.top);
    EXPECT_GT(caption->y() + caption->height(), p.top - 20);
  }
  EXPECT_EQ(Named<QLabel>(w, "lSumNote")->text().toStdString(),
            "Для сброса накопителей сделайте двойной щелчок мыши на соответствующей таблице");
  EXPECT_EQ(Named<QLabel>(w, "lSumNote")->geometry(), QRect(680, 352, 265, 49));
  EXPECT_TRUE(Named<QLabel>(w, "lSumNote")->wordWrap());
  EXPECT_EQ(Named<QLabel>(w, "lSumNote")->alignment(), Qt::AlignCenter);
}

TEST_F(JournalsTest, ErrorGridAcrossTheTopAndFreezeFrameBelowAlongTheRightEdge) {
  auto& w = Open();
  auto* page = Named<QWidget>(w, "tsErrors");
  const QTableWidget* errors = Named(w, "sgErrors");
  const QTableWidget* frame = Named(w, "sgStopCadr");
  Named<QTabWidget>(w, "pcMain")->setCurrentWidget(page);
  EXPECT_EQ(Widths(errors), (std::vector<int>{50, 140, 231, 560}));
  ExpectRows(errors, 8, 19);
  EXPECT_TRUE(errors->showGrid());
  EXPECT_EQ(errors->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(Cell(errors, 0, 1), "Время");
  EXPECT_EQ(Cell(errors, 0, 2), "Код ошибки");
  EXPECT_EQ(Cell(errors, 0, 3), "Описание");
  EXPECT_LE(errors->x() + errors->width(), page->width()) << "every column shows";
  EXPECT_EQ(Cell(errors, 1, 0), "0");
  EXPECT_EQ(Cell(errors, 7, 0), "6");
  EXPECT_EQ(errors->x(), 0);
  EXPECT_EQ(Widths(frame), (std::vector<int>{380, 144}));
  EXPECT_EQ(frame->width(), 552);
  EXPECT_EQ(frame->x() + frame->width(), page->width());
  EXPECT_GE(frame->y(), errors->y() + errors->height());
  EXPECT_EQ(frame->y() + frame->height(), page->height());
  EXPECT_GE(frame->height(), 10 * 19) << "ten lines of the freeze frame at least";
  EXPECT_EQ(frame->rowHeight(0), 19);
  EXPECT_EQ(frame->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  EXPECT_EQ(Named<QPushButton>(w, "bErrrJReset")->text().toStdString(), "Очистить");
}

}  // namespace
}  // namespace mk::viewers::test
