// SPDX-License-Identifier: GPL-3.0-or-later
// A sub-page of screen previews ("Дисплеи х4" ... "Дисплей х6"): every screen
// of one kind at 1:1; a right click opens the menu of parameters for the
// place under the pointer, and the choice is stored and drawn.
#pragma once

#include <QPoint>

#include <vector>

#include "editor/display_sub_page.h"
#include "preview/screen_kind.h"
#include "settings/screen_menus.h"

class QLabel;
class QMenu;

namespace mk::editor {

class TPreviewBox;

class TScreensSubPage final : public TDisplaySubPage {
  Q_OBJECT

 public:
  TScreensSubPage(preview::ScreenKind kind, TEditorContext& context, QWidget* parent = nullptr);

  void Fill() override;
  void AddMarks(TChangedMarks& marks) override;

  preview::ScreenKind Kind() const { return kind_; }
  TPreviewBox* Box(int screen) const { return boxes_.at(static_cast<std::size_t>(screen)); }
  /// The menu of the last right click (object name "pmParams"), or nullptr.
  QMenu* ParamMenu() const { return menu_; }

 private:
  void OpenMenu(int screen, int place, QPoint global);

  preview::ScreenKind kind_;
  std::vector<TPreviewBox*> boxes_;
  std::vector<QLabel*> captions_;  // "#1" ... above the boxes
  QMenu* menu_ = nullptr;
  // The screen, place and point of the last right click; the menu acts on them.
  settings::PlaceHit context_hit_;
  QPoint context_point_;
};

}  // namespace mk::editor
