#include "editor/parking_page.h"

namespace mk::editor {

TParkingPage::TParkingPage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Parking, {{{""}}, {{"Задний"}}, {{"Передний"}}}, parent,
                 250) {}

}  // namespace mk::editor
