#include "editor/voice_page.h"

namespace mk::editor {

TVoicePage::TVoicePage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Voice,
                 {{{"Звук"}, {"Предупреждения", 6}}, {{"Предупреждения"}}}, parent, 240) {}

}  // namespace mk::editor
