// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/text_grid_model.h"

#include <QFont>

#include "widgets/qt_text.h"

namespace mk::viewers {

void TTextGridModel::SetGrid(journal::TextGrid grid, std::string bold_first) {
  beginResetModel();
  grid_ = std::move(grid);
  bold_first_ = std::move(bold_first);
  endResetModel();
}

int TTextGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || grid_.empty() ? 0 : static_cast<int>(grid_.size() - 1);
}

int TTextGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || grid_.empty() ? 0 : static_cast<int>(grid_.front().size());
}

QVariant TTextGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const auto& row = grid_[static_cast<std::size_t>(index.row()) + 1];
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
