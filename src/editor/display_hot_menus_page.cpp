// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/display_hot_menus_page.h"

#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "device/mk.h"
#include "widgets/qt_text.h"

namespace mk::editor {

THotMenuGrid::THotMenuGrid(int list, QWidget* parent)
    : QTableWidget(settings::kHotEntries, 2, parent), list_(list) {
  setObjectName(QStringLiteral("sgHotMenu%1").arg(list));
  horizontalHeader()->hide();
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(20);
  setColumnWidth(0, 24);
  horizontalHeader()->setStretchLastSection(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setFixedHeight(settings::kHotEntries * 20 + 2 * frameWidth());
  for (int row = 0; row < settings::kHotEntries; ++row) {
    auto* number = new QTableWidgetItem(QString::number(row));
    number->setTextAlignment(Qt::AlignCenter);
    setItem(row, 0, number);
    setItem(row, 1, new QTableWidgetItem);
  }
}

void THotMenuGrid::mousePressEvent(QMouseEvent* event) {
  const QModelIndex at = indexAt(event->position().toPoint());
  drag_from_ = -1;
  if (event->button() == Qt::RightButton && at.isValid()) {
    setCurrentCell(at.row(), 1);
    emit RowMenuRequested(list_, at.row(), event->globalPosition().toPoint());
    return;
  }
  if (event->button() == Qt::LeftButton && at.isValid() && at.column() == 0) drag_from_ = at.row();
  QTableWidget::mousePressEvent(event);
}

void THotMenuGrid::mouseReleaseEvent(QMouseEvent* event) {
  QTableWidget::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || drag_from_ < 0) return;
  const int from = drag_from_;
  drag_from_ = -1;
  const QModelIndex at = indexAt(event->position().toPoint());
  if (at.isValid() && at.row() != from) emit RowDragged(list_, from, at.row());
}

void THotMenuGrid::contextMenuEvent(QContextMenuEvent* event) {
  if (event->reason() != QContextMenuEvent::Keyboard || currentRow() < 0) return;
  const QRect cell = visualItemRect(item(currentRow(), 1));
  emit RowMenuRequested(list_, currentRow(), viewport()->mapToGlobal(cell.center()));
}

THotMenusSubPage::THotMenusSubPage(TEditorContext& context, QWidget* parent)
    : TDisplaySubPage(context, parent) {
  auto* v = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  for (int list = 0; list < settings::kHotLists; ++list) {
    auto* box =
        new QGroupBox(widgets::Q(settings::kHotListCaptions[static_cast<std::size_t>(list)]), this);
    auto* inside = new QVBoxLayout(box);
    auto* grid = new THotMenuGrid(list, box);
    inside->addWidget(grid);
    connect(grid, &THotMenuGrid::RowMenuRequested, this, &THotMenusSubPage::OpenRowMenu);
    connect(grid, &THotMenuGrid::RowDragged, this, [this](int l, int from, int to) {
      context_list_ = l;
      Edit([from, to](const settings::HotList& e) { return settings::Moved(e, from, to); });
      Grid(l)->setCurrentCell(to, 1);
    });
    grids_[static_cast<std::size_t>(list)] = grid;
    boxes_[static_cast<std::size_t>(list)] = box;
    row->addWidget(box);
  }
  v->addLayout(row);
  // The hint is kept with Windows line ends as the MK's tools wrote it.
  QString hint = widgets::Q(settings::kHotMenuHint);
  hint.replace("\r\n", "\n");
  auto* label = new QLabel(hint, this);
  label->setObjectName("lHotMenuHint");
  label->setWordWrap(true);
  v->addWidget(label);
  v->addStretch();
}

void THotMenusSubPage::Fill() {
  device::TMK& mk = Mk();
  device::Record& display = mk.Rec(device::BlockId::Display);
  const catalog::Features features = mk.Catalogues().Variant().features;
  for (int list = 0; list < settings::kHotLists; ++list) {
    // Shown compacted, as the MK shows them; stored so only with an edit of the list.
    const settings::HotList entries = settings::Compacted(settings::ReadHotList(display, list));
    THotMenuGrid* grid = Grid(list);
    for (int row = 0; row < settings::kHotEntries; ++row) {
      grid->item(row, 1)->setText(widgets::Q(
          settings::EntryCaption(mk.Catalogues().Menu(), entries[static_cast<std::size_t>(row)])));
    }
    boxes_[static_cast<std::size_t>(list)]->setVisible(settings::HotListShown(list, features));
  }
}

void THotMenusSubPage::Edit(
    const std::function<settings::HotList(const settings::HotList&)>& edit) {
  const int list = context_list_;
  Change([this, list, &edit] {
    device::Record& display = Mk().Rec(device::BlockId::Display);
    // The rows the user acts on are the shown ones, and what an edit stores is
    // the list as shown afterwards.
    const settings::HotList shown = settings::Compacted(settings::ReadHotList(display, list));
    settings::WriteHotList(display, list, settings::Compacted(edit(shown)));
  });
}

void THotMenusSubPage::OpenRowMenu(int list, int row, QPoint global) {
  context_list_ = list;
  context_row_ = row;
  context_point_ = global;
  if (row_menu_ == nullptr) {
    row_menu_ = new QMenu(this);
    row_menu_->setObjectName("pmHotMenu");
    connect(row_menu_->addAction(widgets::Q(settings::kInsertEntry)), &QAction::triggered, this,
            &THotMenusSubPage::OpenInsertMenu);
    connect(row_menu_->addAction(widgets::Q(settings::kDeleteEntry)), &QAction::triggered, this,
            [this] {
              const int r = context_row_;
              Edit([r](const settings::HotList& e) { return settings::Deleted(e, r); });
            });
    connect(row_menu_->addAction(widgets::Q(settings::kClearList)), &QAction::triggered, this,
            [this] { Edit([](const settings::HotList&) { return settings::HotList{}; }); });
  }
  row_menu_->popup(context_point_);
}

void THotMenusSubPage::AddNodes(QMenu* menu, const std::vector<settings::InsertMenuNode>& nodes) {
  for (const settings::InsertMenuNode& node : nodes) {
    const QString caption = widgets::Q(node.caption);
    if (node.IsSubmenu()) {
      AddNodes(menu->addMenu(caption), node.children);
      continue;
    }
    const std::uint16_t code = node.code;
    connect(menu->addAction(caption), &QAction::triggered, this, [this, code] {
      const int r = context_row_;
      Edit([r, code](const settings::HotList& e) { return settings::Inserted(e, r, code); });
    });
  }
}

void THotMenusSubPage::OpenInsertMenu() {
  if (insert_menu_ != nullptr) insert_menu_->deleteLater();
  insert_menu_ = new QMenu(this);
  insert_menu_->setObjectName("pmInsert");
  const catalog::Catalogues& c = Mk().Catalogues();
  AddNodes(insert_menu_, settings::InsertMenu(c.Menu(), c.Variant().features, context_list_));
  insert_menu_->popup(context_point_);
}

}  // namespace mk::editor
