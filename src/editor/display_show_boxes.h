// SPDX-License-Identifier: GPL-3.0-or-later
// "Показывать дисплеи" on the sub-page "Разное": one check box per screen, each
// setting or clearing its bit of a show-display flag word. The x1 boxes are
// captioned with the selected protocol's parameters.
#pragma once

#include <QGroupBox>

#include <functional>
#include <vector>

#include "editor/editor_context.h"
#include "settings/show_displays.h"

class QCheckBox;
class QGridLayout;

namespace mk::editor {

class TShowDisplayBoxes final : public QGroupBox {
  Q_OBJECT

 public:
  explicit TShowDisplayBoxes(TEditorContext& context, QWidget* parent = nullptr);

  /// Captions and visibility for the variant and protocol, checks from the image.
  void Fill();

 private:
  void Build(const std::vector<settings::ShowGroup>& groups);
  /// The boxes of one group in `grid`: numbered screens four to a row from
  /// `first_row`, the averages in one column, the x1 screens in sub-groups.
  void PlaceBoxes(const settings::ShowGroup& g, QGridLayout* grid, int first_row);
  /// One box, bound to its bit of the display record.
  QCheckBox* AddCheck(const settings::ShowBox& spec, QWidget* holder);

  TEditorContext& context_;
  std::vector<QCheckBox*> boxes_;                              // in the order of ShowDisplayGroups
  std::vector<std::function<void(const QString&)>> captions_;  // per group, in order
  std::vector<QGroupBox*> x1_groups_;  // "#1" ... "#8": hidden when none of their boxes shows
  bool setting_ = false;
};

}  // namespace mk::editor
