// SPDX-License-Identifier: GPL-3.0-or-later
// A panel of bound controls built from the settings metadata: the settings
// of one page (or of one group of it) laid out in group boxes, in columns as
// the page asks. Table-like groups (rows sharing a label, with column
// headings) become grids. Value pages are mostly one panel; other pages can
// hold one for the plain values among their hand-made parts.
#pragma once

#include <QWidget>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/bound_control.h"
#include "editor/editor_context.h"
#include "settings/page_layout.h"
#include "settings/pages.h"

class QGridLayout;
class QLabel;

namespace mk::editor {

using settings::GroupSlice;
using settings::PanelColumns;

class TSettingsPanel final : public QWidget {
  Q_OBJECT

 public:
  /// The settings of `page` in the groups that `columns` name.
  /// Captions wider than `caption_width` wrap.
  TSettingsPanel(TEditorContext& context, settings::Page page, const PanelColumns& columns,
                 int caption_width, QWidget* parent = nullptr);
  /// The settings of `page` laid out as the page layout table says.
  TSettingsPanel(TEditorContext& context, settings::Page page, QWidget* parent = nullptr);

  /// Every control from the image, with the variant's visibility.
  void Fill();
  /// Only the visibility, after a change anywhere in the editor.
  void UpdateVisibility();
  /// Commits whatever is still being typed; false when a value was refused.
  bool CommitPending();

  const std::vector<std::unique_ptr<TBoundControl>>& Controls() const { return controls_; }
  TBoundControl* Control(std::string_view name) const;

 private:
  struct TableRow {
    QLabel* label;
    std::vector<TBoundControl*> members;
  };

  /// One group box (or a bare block when the slice has no title) of the panel.
  QWidget* BuildSlice(const settings::PlacedSlice& slice);
  /// A line of a table-like group: its label, then each setting under its heading.
  void AddTableLine(const settings::PlacedSlice& slice, const settings::PlacedLine& line,
                    QGridLayout* grid, int r);
  /// A line of one setting, its caption at the left.
  void AddLine(const settings::PlacedLine& line, int width, QGridLayout* grid, int r);

  TEditorContext& context_;
  std::vector<std::unique_ptr<TBoundControl>> controls_;
  std::vector<TableRow> rows_;
};

}  // namespace mk::editor
