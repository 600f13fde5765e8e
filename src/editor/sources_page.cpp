#include "editor/sources_page.h"

namespace mk::editor {

TSourcesPage::TSourcesPage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Sources,
                 {{{"Протокол"}}, {{"Бак"}, {"Яркость"}}, {{"Источники"}}}, parent, 160) {}

}  // namespace mk::editor
