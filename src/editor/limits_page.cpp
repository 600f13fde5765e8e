#include "editor/limits_page.h"

namespace mk::editor {

TLimitsPage::TLimitsPage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Limits, {{{"Границы", 13}}, {{"Границы"}, {""}}},
                 parent) {}

}  // namespace mk::editor
