// SPDX-License-Identifier: GPL-3.0-or-later
// The sub-page "Цветовые схемы": the palette of the working colour set with
// its red, green and blue editors, the element grids of the digit screens,
// the menu, the graphs and the arrow screens with their palette index, the
// screen-type choices, the scheme group and its two buttons, and previews in
// the colours being edited.
#pragma once

#include <array>
#include <vector>

#include "editor/display_sub_page.h"
#include "settings/color_schemes.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTabWidget;
class QVBoxLayout;

namespace mk::editor {

class TPreviewBox;

class TColorsSubPage final : public TDisplaySubPage {
  Q_OBJECT

 public:
  explicit TColorsSubPage(TEditorContext& context, QWidget* parent = nullptr);

  void Fill() override;
  void AddMarks(TChangedMarks& marks) override;

  QTableWidget* PaletteGrid() const { return palette_; }
  QTableWidget* ElementGrid(settings::ElementGroup group) const {
    return element_grids_[static_cast<std::size_t>(group)];
  }
  QSpinBox* ElementEditor(settings::ElementGroup group) const {
    return element_editors_[static_cast<std::size_t>(group)];
  }
  QSpinBox* Channel(int channel) const { return channels_[static_cast<std::size_t>(channel)]; }
  QButtonGroup* Schemes() const { return schemes_; }
  QGroupBox* SchemeBox() const { return scheme_box_; }

 private:
  void BuildPalette(QWidget* parent, QLayout* into);
  void BuildEditors(QWidget* parent, QLayout* into);
  QWidget* BuildElementPage(settings::ElementGroup group, QWidget* parent);
  /// An element group's colour grid with the colour number editor below it.
  QVBoxLayout* BuildElementList(settings::ElementGroup group, QWidget* page);
  QTabWidget* BuildDigitPreviews(QWidget* page);
  /// The one preview of the menu, graph or arrow screen.
  QVBoxLayout* BuildScreenPreview(settings::ElementGroup group, QWidget* page);
  QWidget* BuildDigitExtras(QWidget* parent);

  void PaletteRowClicked(int row);
  void ChannelChanged();
  void ElementRowClicked(settings::ElementGroup group, int row);
  void ElementIndexChanged(settings::ElementGroup group);
  void SchemeClicked(int scheme);
  void ResetAll();

  std::size_t SetIndex() const { return settings::ColorSetIndex(Mk()); }
  bool SchemeFocus() const;

  QTableWidget* palette_ = nullptr;
  QLabel* color_caption_ = nullptr;
  std::array<QSpinBox*, 3> channels_{};
  int palette_row_ = 0;
  std::array<QTableWidget*, 4> element_grids_{};
  std::array<QSpinBox*, 4> element_editors_{};
  QGroupBox* scheme_box_ = nullptr;
  QButtonGroup* schemes_ = nullptr;
  QButtonGroup* disp_var4_ = nullptr;
  QButtonGroup* disp_var9_ = nullptr;
  std::vector<TPreviewBox*> previews_;
  bool setting_ = false;  // editors being set from the image: their changes are not edits
};

}  // namespace mk::editor
