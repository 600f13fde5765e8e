#include "editor/service_page.h"

namespace mk::editor {

TServicePage::TServicePage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Service,
                 {{{"Осталось до...,               тыс.км        использ."}}, {}}, parent) {}

}  // namespace mk::editor
