// SPDX-License-Identifier: GPL-3.0-or-later
// The changed marks of what the pages draw by hand inside shared widgets: a
// bold grid row, screen caption or group title for a setting whose value
// differs from the one the editor opened with. A page says which settings
// each item shows; which of them changed is the core's answer
// (settings::ChangeTracker), laid on every item by the dialog.
#pragma once

#include <functional>
#include <set>
#include <string_view>
#include <variant>
#include <vector>

#include "settings/setting.h"

class QTableWidget;
class QTableWidgetItem;
class QWidget;

namespace mk::editor {

/// A grid row as a mark: its items are looked up when the marks are laid.
struct GridRow {
  QTableWidget* grid;
  int row;
};

class TChangedMarks {
 public:
  /// The settings one item shows, asked each time the marks are laid: a
  /// grid may show another colour set by then.
  using Shows = std::function<std::vector<const settings::Setting*>()>;

  void Add(QWidget* widget, Shows shows);
  void Add(QTableWidgetItem* item, Shows shows);
  /// Row `row` of `grid`: the items it holds when the marks are laid (a grid
  /// that refills makes new ones).
  void Add(QTableWidget* grid, int row, Shows shows);
  /// Whether a page marks `widget` itself.
  bool Has(const QWidget* widget) const;

  /// Each item bold when any setting it shows is among `changed` (names).
  void Show(const std::set<std::string_view>& changed) const;
  /// Gives every marked widget its bold size as its minimum, so a mark moves
  /// nothing. Grid items keep their cells' fixed sizes.
  void ReserveRoom() const;

 private:
  struct Mark {
    std::variant<QWidget*, QTableWidgetItem*, GridRow> item;
    Shows shows;
  };
  std::vector<Mark> marks_;
};

}  // namespace mk::editor
