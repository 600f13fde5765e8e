// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/limits_page.h"

namespace mk::editor {

TLimitsPage::TLimitsPage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Limits, parent) {}

}  // namespace mk::editor
