// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/voice_page.h"

namespace mk::editor {

TVoicePage::TVoicePage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Voice, parent) {}

}  // namespace mk::editor
