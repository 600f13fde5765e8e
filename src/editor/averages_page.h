// SPDX-License-Identifier: GPL-3.0-or-later
// The page "Средние" of the settings editor.
#pragma once

#include "editor/value_page.h"

namespace mk::editor {

class TAveragesPage final : public TValuePage {
  Q_OBJECT

 public:
  explicit TAveragesPage(TEditorContext& context, QWidget* parent = nullptr);
};

}  // namespace mk::editor
