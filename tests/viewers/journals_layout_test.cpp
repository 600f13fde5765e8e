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
  EXPECT_EQ(w.pcMain->objectName(), "pcMain");
  EXPECT_EQ(w.pcMain->height(), 489);
  ASSERT_EQ(w.pcMain->count(), 4);
  EXPECT_EQ(w.pcMain->tabText(0).toStdString(), "Журнал поездок");
  EXPECT_EQ(w.pcMain->tabText(1).toStdString(), "Журнал заправок");
  EXPECT_EQ(w.pcMain->tabText(2).toStdString(), "Средние");
  EXPECT_EQ(w.pcMain->tabText(3).toStdString(), "Журнал ошибок");
  EXPECT_EQ(w.pcMain->currentIndex(), 0);
  EXPECT_EQ(w.pcMain->widget(0), w.tsTrip);
  EXPECT_EQ(w.tsTrip->objectName(), "tsTrip");
  EXPECT_EQ(w.OKBtn->text(), "OK");
  EXPECT_TRUE(w.OKBtn->isDefault());
  EXPECT_EQ(w.CancelBtn->text().toStdString(), "Отмена");
  EXPECT_GE(w.OKBtn->y(), 489);
}

TEST_F(JournalsTest, JournalGridsHaveTheirColumnsRowsHeadersAndButtons) {
  auto& w = Open();
  for (QTableWidget* grid : {w.sgTrip, w.sgTank}) {
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
  EXPECT_EQ(w.sgTrip->objectName(), "sgTrip");
  EXPECT_EQ(w.sgTank->objectName(), "sgTank");
  EXPECT_EQ(w.bTripReset->text().toStdString(), "Очистить");
  EXPECT_EQ(w.bTrip->text().toStdString(), "Сохранить в файл");
  EXPECT_EQ(w.bTankReset->text().toStdString(), "Очистить");
  EXPECT_EQ(w.bTank->text().toStdString(), "Сохранить в файл");
  EXPECT_EQ(w.bTank->parentWidget(), w.tsTank);
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
    const QTableWidget* grid = w.sgSums[g];
    EXPECT_EQ(grid->objectName().toStdString(), p.name);
    EXPECT_EQ(grid->parentWidget(), w.tsSum);
    EXPECT_EQ(grid->pos(), QPoint(p.left, p.top)) << p.name;
    EXPECT_EQ(Widths(grid), (std::vector<int>{147, 116})) << p.name;
    ExpectRows(grid, 6, 20);
    EXPECT_EQ(grid->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
    const QLabel* caption = nullptr;
    for (const QLabel* label : w.tsSum->findChildren<QLabel*>()) {
      if (label->text().toStdString() == p.caption) caption = label;
    }
    ASSERT_NE(caption, nullptr) << p.caption;
    EXPECT_EQ(caption->x(), p.left);
    EXPECT_LT(caption->y(), p.top);
    EXPECT_GT(caption->y() + caption->height(), p.top - 20);
  }
  EXPECT_EQ(w.lSumNote->text().toStdString(),
            "Для сброса накопителей сделайте двойной щелчок мыши на соответствующей таблице");
  EXPECT_EQ(w.lSumNote->geometry(), QRect(680, 352, 265, 49));
  EXPECT_TRUE(w.lSumNote->wordWrap());
  EXPECT_EQ(w.lSumNote->alignment(), Qt::AlignCenter);
}

TEST_F(JournalsTest, ErrorGridLeftAndFreezeFrameAlongTheRightEdge) {
  auto& w = Open();
  w.pcMain->setCurrentWidget(w.tsErrors);
  EXPECT_EQ(Widths(w.sgErrors), (std::vector<int>{50, 140, 231}));
  ExpectRows(w.sgErrors, 8, 19);
  EXPECT_TRUE(w.sgErrors->showGrid());
  EXPECT_EQ(w.sgErrors->selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_EQ(Cell(w.sgErrors, 0, 1), "Время");
  EXPECT_EQ(Cell(w.sgErrors, 0, 2), "Код ошибки");
  EXPECT_EQ(Cell(w.sgErrors, 1, 0), "0");
  EXPECT_EQ(Cell(w.sgErrors, 7, 0), "6");
  EXPECT_EQ(w.sgErrors->x(), 0);
  EXPECT_EQ(Widths(w.sgStopCadr), (std::vector<int>{380, 144}));
  EXPECT_EQ(w.sgStopCadr->width(), 552);
  EXPECT_EQ(w.sgStopCadr->x() + w.sgStopCadr->width(), w.tsErrors->width());
  EXPECT_EQ(w.sgStopCadr->height(), w.tsErrors->height());
  EXPECT_EQ(w.sgStopCadr->rowHeight(0), 19);
  EXPECT_EQ(w.sgStopCadr->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  EXPECT_EQ(w.bErrrJReset->text().toStdString(), "Очистить");
}

}  // namespace
}  // namespace mk::viewers::test
