// SPDX-License-Identifier: GPL-3.0-or-later
// The page "Поправки" of the settings editor.
#pragma once

#include "editor/value_page.h"

namespace mk::editor {

class TCorrectionsPage final : public TValuePage {
  Q_OBJECT

 public:
  explicit TCorrectionsPage(TEditorContext& context, QWidget* parent = nullptr);
};

}  // namespace mk::editor
