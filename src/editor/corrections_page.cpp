#include "editor/corrections_page.h"

namespace mk::editor {

TCorrectionsPage::TCorrectionsPage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Corrections, {{{"Поправки"}}, {{""}}}, parent, 250) {}

}  // namespace mk::editor
