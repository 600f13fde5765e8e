// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/text_grid_model.h"

#include <QFont>

#include "widgets/qt_text.h"

namespace mk::viewers {
namespace {

// Rows written and kept: what a few screens of scrolling and the columns'
// fitting ask, without keeping years of trips as text.
constexpr std::size_t kKeptRows = 2048;

}  // namespace

void TTextGridModel::SetGrid(journal::TextGrid grid, std::string bold_first) {
  beginResetModel();
  grid_ = std::move(grid);
  rows_ = grid_.empty() ? 0 : grid_.size() - 1;
  source_ = nullptr;
  written_.clear();
  bold_first_ = std::move(bold_first);
  endResetModel();
}

void TTextGridModel::SetRows(std::vector<std::string> header, std::size_t count, RowSource source) {
  beginResetModel();
  grid_ = {std::move(header)};
  rows_ = count;
  source_ = std::move(source);
  written_.clear();
  bold_first_.clear();
  endResetModel();
}

journal::TextGrid TTextGridModel::Grid() const {
  if (!source_) return grid_;
  journal::TextGrid grid{grid_.front()};
  grid.reserve(rows_ + 1);
  for (std::size_t r = 0; r < rows_; ++r) grid.push_back(source_(r));
  return grid;
}

const std::vector<std::string>& TTextGridModel::Row(std::size_t row) const {
  if (!source_) return grid_[row + 1];
  if (const auto it = written_.find(row); it != written_.end()) return it->second;
  if (written_.size() >= kKeptRows) written_.clear();
  return written_.emplace(row, source_(row)).first->second;
}

int TTextGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_);
}

int TTextGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || grid_.empty() ? 0 : static_cast<int>(grid_.front().size());
}

QVariant TTextGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto& row = Row(static_cast<std::size_t>(index.row()));
  if (role == Qt::DisplayRole) return widgets::Q(row[static_cast<std::size_t>(index.column())]);
  // Numbers line up at the right, the texts of the first columns at the left.
  if (role == Qt::TextAlignmentRole) {
    const QChar first = widgets::Q(row[static_cast<std::size_t>(index.column())]).left(1).front();
    return QVariant::fromValue(Qt::AlignVCenter |
                               (first.isDigit() || first == '-' ? Qt::AlignRight : Qt::AlignLeft));
  }
  if (role == Qt::FontRole && !bold_first_.empty() && row.front() == bold_first_) {
    QFont font;
    font.setBold(true);
    return font;
  }
  return {};
}

QVariant TTextGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || grid_.empty()) return {};
  if (orientation == Qt::Vertical) return section + 1;
  return widgets::Q(grid_.front()[static_cast<std::size_t>(section)]);
}

}  // namespace mk::viewers
