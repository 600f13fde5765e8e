// SPDX-License-Identifier: GPL-3.0-or-later
// The sub-page "Горячие меню": four grids of ten device-menu items. A right
// click on a row offers "Вставить пункт", "Удалить пункт" and "Очистить
// список"; dragging a row by its left column moves the entry.
#pragma once

#include <QPoint>
#include <QTableWidget>

#include <array>

#include "editor/display_sub_page.h"
#include "settings/hot_menus.h"

class QLabel;
class QMenu;

namespace mk::editor {

/// One hot-menu grid; its tag is the list number.
class THotMenuGrid final : public QTableWidget {
  Q_OBJECT

 public:
  THotMenuGrid(int list, QWidget* parent = nullptr);
  int List() const { return list_; }

 signals:
  void RowMenuRequested(int list, int row, QPoint global);
  void RowDragged(int list, int from, int to);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  /// The menu key opens the row menu of the current row, as a right click would.
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  int list_;
  int drag_from_ = -1;
};

class THotMenusSubPage final : public TDisplaySubPage {
  Q_OBJECT

 public:
  explicit THotMenusSubPage(TEditorContext& context, QWidget* parent = nullptr);

  /// Shows every list compacted; the image keeps its gaps until a list is edited.
  void Fill() override;

  THotMenuGrid* Grid(int list) const { return grids_[static_cast<std::size_t>(list)]; }
  /// The row menu (object name "pmHotMenu") and the insert menu ("pmInsert")
  /// of the last right click, or nullptr.
  QMenu* RowMenu() const { return row_menu_; }
  QMenu* InsertMenu() const { return insert_menu_; }

 private:
  void OpenRowMenu(int list, int row, QPoint global);
  void OpenInsertMenu();
  void Edit(const std::function<settings::HotList(const settings::HotList&)>& edit);
  void AddNodes(QMenu* menu, const std::vector<settings::InsertMenuNode>& nodes);

  std::array<THotMenuGrid*, settings::kHotLists> grids_{};
  std::array<QWidget*, settings::kHotLists> boxes_{};
  QMenu* row_menu_ = nullptr;
  QMenu* insert_menu_ = nullptr;
  // The list, row and point of the last right click; the menus act on them.
  int context_list_ = 0;
  int context_row_ = 0;
  QPoint context_point_;
};

}  // namespace mk::editor
