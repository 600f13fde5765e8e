// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/blocks_page.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "settings/lists.h"
#include "widgets/qt_text.h"

namespace mk::editor {

namespace {

QTableWidget* MakeGrid(QWidget* parent, const char* name, int columns) {
  auto* grid = new QTableWidget(parent);
  grid->setObjectName(name);
  grid->setColumnCount(columns);
  grid->horizontalHeader()->hide();
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(20);
  grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  return grid;
}

QTableWidgetItem* Cell(const std::string& text) {
  return new QTableWidgetItem(widgets::Q(text));
}

}  // namespace

TBlocksPage::TBlocksPage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Blocks, parent) {}

void TBlocksPage::Build() {
  TValuePage::Build();
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(6, 0, 6, 6);
  auto* left = new QGroupBox(QStringLiteral("Все доступные"), box);
  auto* left_layout = new QVBoxLayout(left);
  all_ = MakeGrid(left, "sgAllBlocks", 2);
  left_layout->addWidget(all_);
  auto* right = new QGroupBox(QStringLiteral("Выбранные"), box);
  auto* right_layout = new QVBoxLayout(right);
  used_ = MakeGrid(right, "sgUsedBlocks", 1);
  right_layout->addWidget(used_);
  auto* hint = new QLabel(widgets::Q("Двойной щелчок в левой \r\nтаблице меняет выбор\r\n\r\n"
                                     "Двойной щелчок в правой \r\nтаблице отменяет выбор"),
                          box);
  hint->setObjectName("lBlocksHint");
  hint->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  row->addWidget(left, 3);
  row->addWidget(right, 2);
  row->addWidget(hint, 1);
  static_cast<QVBoxLayout*>(Body()->layout())->addWidget(box, 1);
  connect(all_, &QTableWidget::cellDoubleClicked, this,
          [this](int r, int) { AllBlocksDoubleClick(r); });
  connect(used_, &QTableWidget::cellDoubleClicked, this,
          [this](int r, int) { UsedBlocksDoubleClick(r); });
  // "Показывать" changes the bits: the grids follow every change.
  connect(&Context(), &TEditorContext::Changed, this, &TBlocksPage::FillGrids);
}

void TBlocksPage::Fill() {
  TValuePage::Fill();
  FillGrids();
}

void TBlocksPage::Activated() {
  FillGrids();
}

void TBlocksPage::FillGrids() {
  const settings::Env env = settings::Env::Of(Mk());
  const auto offered = settings::AllBlocks(env);
  all_->setRowCount(static_cast<int>(offered.size()) + 1);
  all_->setItem(0, 0, Cell("Название"));
  all_->setItem(0, 1, Cell("Выбр."));
  for (std::size_t i = 0; i < offered.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    all_->setItem(r, 0, Cell(offered[i].name));
    all_->setItem(r, 1, Cell(settings::BlockUsed(Mk(), offered[i].number) ? "V" : ""));
  }
  const auto used = settings::UsedBlocks(Mk(), env);
  used_->setRowCount(static_cast<int>(used.size()) + 1);
  used_->setItem(0, 0, Cell("Название"));
  for (std::size_t i = 0; i < used.size(); ++i) {
    used_->setItem(static_cast<int>(i) + 1, 0, Cell(used[i].name));
  }
  all_->resizeColumnToContents(1);
}

void TBlocksPage::AllBlocksDoubleClick(int row) {
  const auto offered = settings::AllBlocks(settings::Env::Of(Mk()));
  if (row < 1 || row > static_cast<int>(offered.size())) return;
  const std::uint8_t number = offered[static_cast<std::size_t>(row - 1)].number;
  Context().Change(
      [&] { settings::SetBlockUsed(Mk(), number, !settings::BlockUsed(Mk(), number)); });
}

void TBlocksPage::UsedBlocksDoubleClick(int row) {
  const auto used = settings::UsedBlocks(Mk(), settings::Env::Of(Mk()));
  if (row < 1 || row > static_cast<int>(used.size())) return;
  const std::uint8_t number = used[static_cast<std::size_t>(row - 1)].number;
  Context().Change([&] { settings::SetBlockUsed(Mk(), number, false); });
}

}  // namespace mk::editor
