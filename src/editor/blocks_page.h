// The page "Допсистемы" of the settings editor.
#pragma once

#include "editor/value_page.h"

namespace mk::editor {

class TBlocksPage final : public TValuePage {
  Q_OBJECT

 public:
  explicit TBlocksPage(TEditorContext& context, QWidget* parent = nullptr);
};

}  // namespace mk::editor
