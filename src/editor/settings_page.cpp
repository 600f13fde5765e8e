// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/settings_page.h"

#include "widgets/qt_text.h"

namespace mk::editor {

TSettingsPage::TSettingsPage(TEditorContext& context, settings::Page page, QWidget* parent)
    : QWidget(parent), context_(context), page_(page) {
  setObjectName(QString::fromUtf8(settings::InfoOf(page).object_name));
}

QString TSettingsPage::Caption() const {
  return widgets::Q(settings::InfoOf(page_).caption);
}

}  // namespace mk::editor
