// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/settings_page.h"

#include <QScrollArea>
#include <QVBoxLayout>

#include "widgets/qt_text.h"

namespace mk::editor {

TSettingsPage::TSettingsPage(TEditorContext& context, settings::Page page, QWidget* parent)
    : QWidget(parent), context_(context), page_(page) {
  setObjectName(QString::fromUtf8(settings::InfoOf(page).object_name));
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

QString TSettingsPage::Caption() const {
  return widgets::Q(settings::InfoOf(page_).caption);
}

}  // namespace mk::editor
