#include "editor/corrections_page.h"

namespace mk::editor {

TCorrectionsPage::TCorrectionsPage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Corrections, parent) {}

}  // namespace mk::editor
