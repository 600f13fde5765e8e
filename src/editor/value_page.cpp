#include "editor/value_page.h"

namespace mk::editor {

TValuePage::TValuePage(TEditorContext& context, settings::Page page, QWidget* parent)
    : TSettingsPage(context, page, parent) {}

void TValuePage::Build() {}

void TValuePage::Fill() {}

}  // namespace mk::editor
