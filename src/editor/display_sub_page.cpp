// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/display_sub_page.h"

#include "editor/display_colors_page.h"
#include "editor/display_hot_menus_page.h"
#include "editor/display_screens_page.h"
#include "editor/settings_page.h"

namespace mk::editor {

TDisplaySubPage::TDisplaySubPage(TEditorContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
  connect(&context_, &TEditorContext::Changed, this, &TDisplaySubPage::ImageChanged);
}

void TDisplaySubPage::ImageChanged() {
  if (isVisible()) {
    Fill();
  } else {
    stale_ = true;
  }
}

void TDisplaySubPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (stale_) {
    stale_ = false;
    Fill();
  }
  SettleLayouts(this);
}

TDisplaySubPage* MakeDisplaySubPage(settings::DisplayPage page, TEditorContext& context,
                                    QWidget* parent) {
  using preview::ScreenKind;
  using settings::DisplayPage;
  switch (page) {
    case DisplayPage::Colors:
      return new TColorsSubPage(context, parent);
    case DisplayPage::X4:
      return new TScreensSubPage(ScreenKind::X4, context, parent);
    case DisplayPage::X9:
      return new TScreensSubPage(ScreenKind::X9, context, parent);
    case DisplayPage::X7:
      return new TScreensSubPage(ScreenKind::X7, context, parent);
    case DisplayPage::X3:
      return new TScreensSubPage(ScreenKind::X3, context, parent);
    case DisplayPage::Graph:
      return new TScreensSubPage(ScreenKind::Graph, context, parent);
    case DisplayPage::Arrow:
      return new TScreensSubPage(ScreenKind::Arrow, context, parent);
    case DisplayPage::X6:
      return new TScreensSubPage(ScreenKind::X6, context, parent);
    case DisplayPage::HotMenus:
      return new THotMenusSubPage(context, parent);
    case DisplayPage::Misc:
      return nullptr;
  }
  return nullptr;
}

}  // namespace mk::editor
