// SPDX-License-Identifier: GPL-3.0-or-later
// The page "Допсистемы": the ECU blocks besides the engine's that the MK
// polls. Two grids (all offered blocks with their choice, the chosen ones)
// beside the two "Показывать" groups of the metadata.
#pragma once

#include "editor/value_page.h"

class QTableWidget;

namespace mk::editor {

class TBlocksPage final : public TValuePage {
  Q_OBJECT

 public:
  explicit TBlocksPage(TEditorContext& context, QWidget* parent = nullptr);

  void Build() override;
  void Fill() override;
  void Activated() override;

  QTableWidget* AllBlocksGrid() const { return all_; }
  QTableWidget* UsedBlocksGrid() const { return used_; }
  /// What a double click on a row (1 = the first block; 0 is the header) does.
  void AllBlocksDoubleClick(int row);
  void UsedBlocksDoubleClick(int row);

 private:
  void FillGrids();

  QTableWidget* all_ = nullptr;
  QTableWidget* used_ = nullptr;
};

}  // namespace mk::editor
