// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/uni_meas_page.h"

namespace mk::editor {

TUniMeasPage::TUniMeasPage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::UniMeas, parent) {}

}  // namespace mk::editor
