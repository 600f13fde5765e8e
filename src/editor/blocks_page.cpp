#include "editor/blocks_page.h"

namespace mk::editor {

TBlocksPage::TBlocksPage(TEditorContext& context, QWidget* parent)
    : TValuePage(context, settings::Page::Blocks, parent) {}

}  // namespace mk::editor
