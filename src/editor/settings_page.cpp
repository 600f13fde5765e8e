// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/settings_page.h"

#include <QLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

#include "editor/page_names.h"
#include "widgets/qt_text.h"

namespace mk::editor {

TSettingsPage::TSettingsPage(TEditorContext& context, settings::Page page, QWidget* parent)
    : QWidget(parent), context_(context), page_(page) {
  setObjectName(widgets::Q(PageObjectName(page)));
}

QWidget* TSettingsPage::Body() {
  if (body_ != nullptr) return body_;
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(this);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  body_ = new QWidget(scroll);
  scroll->setWidget(body_);
  layout->addWidget(scroll);
  return body_;
}

void SettleLayouts(QWidget* root) {
  std::vector<std::pair<int, QLayout*>> layouts;
  for (QWidget* w : root->findChildren<QWidget*>()) {
    // What is hidden (a date's calendar, another sub-page) is laid out when shown.
    if (w->layout() == nullptr || !w->isVisibleTo(root)) continue;
    int depth = 0;
    for (const QWidget* up = w; up != root; up = up->parentWidget()) ++depth;
    layouts.emplace_back(depth, w->layout());
  }
  // Each activation tells the layout around it its new size, so the deepest go first.
  std::ranges::stable_sort(layouts, std::ranges::greater{}, &std::pair<int, QLayout*>::first);
  for (const auto& [depth, layout] : layouts) layout->activate();
  if (root->layout() != nullptr) root->layout()->activate();
}

void TSettingsPage::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  SettleLayouts(this);
}

QString TSettingsPage::Caption() const {
  return widgets::Q(settings::InfoOf(page_).caption);
}

}  // namespace mk::editor
