// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/service_page.h"

namespace mk::editor {

TServicePage::TServicePage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Service, parent) {}

}  // namespace mk::editor
