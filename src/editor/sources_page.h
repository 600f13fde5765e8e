// SPDX-License-Identifier: GPL-3.0-or-later
// The page "Источники" of the settings editor.
#pragma once

#include "editor/value_page.h"

namespace mk::editor {

class TSourcesPage final : public TValuePage {
  Q_OBJECT

 public:
  explicit TSourcesPage(TEditorContext& context, QWidget* parent = nullptr);
};

}  // namespace mk::editor
