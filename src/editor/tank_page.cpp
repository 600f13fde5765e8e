#include "editor/tank_page.h"

namespace mk::editor {

TTankPage::TTankPage(TEditorContext& context, QWidget* parent)
    : TSettingsPage(context, settings::Page::Tank, parent) {}

void TTankPage::Build() {}

void TTankPage::Fill() {}

}  // namespace mk::editor
