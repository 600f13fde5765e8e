// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/journals_grid.h"

#include <QHeaderView>

#include <numeric>

#include "widgets/qt_text.h"

namespace mk::viewers {
namespace {

constexpr const char* kFixedRowsProperty = "fixedRows";
constexpr const char* kFixedColsProperty = "fixedCols";

bool IsFixed(const QTableWidget* grid, int row, int col) {
  return row < grid->property(kFixedRowsProperty).toInt() ||
         col < grid->property(kFixedColsProperty).toInt();
}

void SetCell(QTableWidget* grid, int row, int col, const QString& text, Qt::Alignment alignment) {
  QTableWidgetItem* item = grid->item(row, col);
  if (!item) {
    item = new QTableWidgetItem;
    if (IsFixed(grid, row, col)) {
      // Header and label cells look like headers and cannot be selected.
      item->setFlags(Qt::ItemIsEnabled);
      item->setBackground(grid->palette().button());
      item->setForeground(grid->palette().buttonText());
    } else {
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    grid->setItem(row, col, item);
  }
  item->setText(text);
  item->setTextAlignment(IsFixed(grid, row, col) ? Qt::AlignLeft | Qt::AlignVCenter : alignment);
}

}  // namespace

QTableWidget* MakeGrid(QWidget* parent, const char* name, const GridShape& shape) {
  auto* grid = new QTableWidget(shape.rows, static_cast<int>(shape.widths.size()), parent);
  grid->setObjectName(widgets::Q(name));
  grid->setProperty(kFixedRowsProperty, shape.fixed_rows);
  grid->setProperty(kFixedColsProperty, shape.fixed_cols);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setShowGrid(shape.grid_lines);
  grid->setWordWrap(false);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(shape.vertical_scroll ? Qt::ScrollBarAsNeeded
                                                         : Qt::ScrollBarAlwaysOff);
  QHeaderView* rows = grid->verticalHeader();
  rows->setMinimumSectionSize(1);
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setDefaultSectionSize(shape.row_height);
  QHeaderView* cols = grid->horizontalHeader();
  cols->setMinimumSectionSize(1);
  cols->setSectionResizeMode(QHeaderView::Fixed);
  int col = 0;
  for (const int width : shape.widths) grid->setColumnWidth(col++, width);
  const int frame = 2 * grid->frameWidth();
  const int width = std::accumulate(shape.widths.begin(), shape.widths.end(), 0);
  grid->resize(width + frame, shape.rows * shape.row_height + frame);
  return grid;
}

void FillGrid(QTableWidget* grid, const journal::TextGrid& texts, Qt::Alignment alignment) {
  if (grid->rowCount() < static_cast<int>(texts.size())) {
    grid->setRowCount(static_cast<int>(texts.size()));
  }
  for (std::size_t r = 0; r < texts.size(); ++r) {
    for (std::size_t c = 0; c < texts[r].size() && static_cast<int>(c) < grid->columnCount(); ++c) {
      SetCell(grid, static_cast<int>(r), static_cast<int>(c), widgets::Q(texts[r][c]), alignment);
    }
  }
}

void FillLines(QTableWidget* grid, const std::vector<journal::CaptionedValue>& lines) {
  journal::TextGrid texts;
  for (const auto& [caption, value] : lines) texts.push_back({caption, value});
  grid->clearSpans();
  grid->setRowCount(static_cast<int>(lines.size()));
  FillGrid(grid, texts);
  for (std::size_t r = 0; r < lines.size(); ++r) {
    if (lines[r].second.empty() && grid->columnCount() > 1)
      grid->setSpan(static_cast<int>(r), 0, 1, grid->columnCount());
  }
}

void EmptyCells(QTableWidget* grid) {
  grid->clearSpans();
  for (int r = 0; r < grid->rowCount(); ++r) {
    for (int c = 0; c < grid->columnCount(); ++c) {
      if (QTableWidgetItem* item = grid->item(r, c)) item->setText(QString());
    }
  }
}

QString CellText(const QTableWidget* grid, int row, int col) {
  const QTableWidgetItem* item = grid->item(row, col);
  return item ? item->text() : QString();
}

}  // namespace mk::viewers
