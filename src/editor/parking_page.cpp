// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/parking_page.h"

namespace mk::editor {

TParkingPage::TParkingPage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Parking, parent) {}

}  // namespace mk::editor
