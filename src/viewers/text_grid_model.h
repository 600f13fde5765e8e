// SPDX-License-Identifier: GPL-3.0-or-later
// A table model over the core's text grid, its first row the header: the
// history's tables hold years of trips, more rows than a grid of items takes
// in the time a window may open in. Rows can also come from a source that
// writes each row when the view first asks for it.
#pragma once

#include <QAbstractTableModel>

#include <functional>
#include <unordered_map>

#include "journal/text_grid.h"

namespace mk::viewers {

class TTextGridModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  using RowSource = std::function<std::vector<std::string>(std::size_t row)>;

  using QAbstractTableModel::QAbstractTableModel;

  /// Shows `grid` (header row first); the rows whose first cell is `bold_first` stand out.
  void SetGrid(journal::TextGrid grid, std::string bold_first = {});
  /// Shows `count` rows under `header`, each written by `source` when shown.
  void SetRows(std::vector<std::string> header, std::size_t count, RowSource source);
  /// The header and every row, as an export writes them.
  journal::TextGrid Grid() const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const std::vector<std::string>& Row(std::size_t row) const;

  journal::TextGrid grid_;  // the header, then the rows unless a source writes them
  std::size_t rows_ = 0;
  RowSource source_;
  mutable std::unordered_map<std::size_t, std::vector<std::string>> written_;
  std::string bold_first_;
};

}  // namespace mk::viewers
