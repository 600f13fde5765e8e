// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/changed_marks.h"

#include <QTableWidget>
#include <QTableWidgetItem>
#include <QWidget>

#include <algorithm>

#include "editor/bound_control.h"

namespace mk::editor {

namespace {

template <typename T>
void SetBold(T* item, bool bold) {
  QFont font = item->font();
  if (font.bold() == bold) return;
  font.setBold(bold);
  item->setFont(font);
}

void SetBold(const GridRow& at, bool bold) {
  for (int c = 0; c < at.grid->columnCount(); ++c) {
    if (QTableWidgetItem* item = at.grid->item(at.row, c)) SetBold(item, bold);
  }
}

}  // namespace

void TChangedMarks::Add(QWidget* widget, Shows shows) {
  marks_.push_back({widget, std::move(shows)});
}

void TChangedMarks::Add(QTableWidgetItem* item, Shows shows) {
  marks_.push_back({item, std::move(shows)});
}

void TChangedMarks::Add(QTableWidget* grid, int row, Shows shows) {
  marks_.push_back({GridRow{grid, row}, std::move(shows)});
}

bool TChangedMarks::Has(const QWidget* widget) const {
  return std::ranges::any_of(marks_, [widget](const Mark& m) {
    const auto* w = std::get_if<QWidget*>(&m.item);
    return w != nullptr && *w == widget;
  });
}

void TChangedMarks::Show(const std::set<std::string_view>& changed) const {
  for (const Mark& m : marks_) {
    const bool bold = std::ranges::any_of(
        m.shows(), [&](const settings::Setting* s) { return changed.contains(s->name); });
    std::visit([bold](const auto& item) { SetBold(item, bold); }, m.item);
  }
}

void TChangedMarks::ReserveRoom() const {
  for (const Mark& m : marks_) {
    if (auto* const* w = std::get_if<QWidget*>(&m.item)) ReserveBoldSize(*w);
  }
}

}  // namespace mk::editor
