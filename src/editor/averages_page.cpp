// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/averages_page.h"

namespace mk::editor {

TAveragesPage::TAveragesPage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Averages, parent) {}

}  // namespace mk::editor
