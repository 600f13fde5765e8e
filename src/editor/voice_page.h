// SPDX-License-Identifier: GPL-3.0-or-later
// The page "Озвуч.сообщения" of the settings editor.
#pragma once

#include "editor/value_page.h"

namespace mk::editor {

class TVoicePage final : public TValuePage {
  Q_OBJECT

 public:
  explicit TVoicePage(TEditorContext& context, QWidget* parent = nullptr);
};

}  // namespace mk::editor
