#include "editor/changed_marks.h"

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

}  // namespace

void TChangedMarks::Add(QWidget* widget, Shows shows) {
  marks_.push_back({widget, std::move(shows)});
}

void TChangedMarks::Add(QTableWidgetItem* item, Shows shows) {
  marks_.push_back({item, std::move(shows)});
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
    std::visit([bold](auto* item) { SetBold(item, bold); }, m.item);
  }
}

void TChangedMarks::ReserveRoom() const {
  for (const Mark& m : marks_) {
    if (auto* const* w = std::get_if<QWidget*>(&m.item)) ReserveBoldSize(*w);
  }
}

}  // namespace mk::editor
