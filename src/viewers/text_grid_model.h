// SPDX-License-Identifier: GPL-3.0-or-later
// A table model over the core's text grid, its first row the header: the
// history's tables hold years of trips, more rows than a grid of items takes
// in the time a window may open in.
#pragma once

#include <QAbstractTableModel>

#include "journal/text_grid.h"

namespace mk::viewers {

class TTextGridModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  /// Shows `grid` (header row first); the rows whose first cell is `bold_first` stand out.
  void SetGrid(journal::TextGrid grid, std::string bold_first = {});
  const journal::TextGrid& Grid() const { return grid_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  journal::TextGrid grid_;
  std::string bold_first_;
};

}  // namespace mk::viewers
