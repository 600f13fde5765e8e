// SPDX-License-Identifier: GPL-3.0-or-later
// The string grids of the journals window: QTableWidgets laid out in fixed
// pixels like the rest of the window, with fixed (header and label) rows and
// columns drawn as headers, and filled from the core's texts.
#pragma once

#include <QTableWidget>

#include <initializer_list>
#include <vector>

#include "journal/text_grid.h"

namespace mk::viewers {

struct GridShape {
  std::initializer_list<int> widths;
  int rows = 0;
  int row_height = 0;
  int fixed_rows = 0;
  int fixed_cols = 0;
  bool vertical_scroll = false;
  bool grid_lines = true;
};

/// A read-only grid of `shape` called `name`, sized to show every column.
QTableWidget* MakeGrid(QWidget* parent, const char* name, const GridShape& shape);

/// Puts `texts` into the grid from row 0 (rows or cells it lacks are added
/// empty); cells outside the fixed rows and columns get `alignment`.
void FillGrid(QTableWidget* grid, const journal::TextGrid& texts,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter);

/// (caption, value) lines from row 0; the row count becomes the number of
/// lines. A line without a value (a note under the line above) spans the row.
void FillLines(QTableWidget* grid, const std::vector<journal::CaptionedValue>& lines);

/// Empties every cell and joins none, keeping the row count.
void EmptyCells(QTableWidget* grid);

/// The cell's text; empty for a cell never written.
QString CellText(const QTableWidget* grid, int row, int col);

}  // namespace mk::viewers
