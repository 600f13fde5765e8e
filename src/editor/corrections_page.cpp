// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/corrections_page.h"

namespace mk::editor {

TCorrectionsPage::TCorrectionsPage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Corrections, parent) {}

}  // namespace mk::editor
