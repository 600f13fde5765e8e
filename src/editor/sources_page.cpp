// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/sources_page.h"

namespace mk::editor {

TSourcesPage::TSourcesPage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Sources, parent) {}

}  // namespace mk::editor
