#include "editor/averages_page.h"

namespace mk::editor {

TAveragesPage::TAveragesPage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Averages,
                 {{{"Расчет стоимости"}, {"Периоды автосброса, дни"}}, {{"Поездки"}}}, parent,
                 250) {}

}  // namespace mk::editor
