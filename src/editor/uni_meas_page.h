// SPDX-License-Identifier: GPL-3.0-or-later
// The page "Унив.вход" of the settings editor.
#pragma once

#include "editor/value_page.h"

namespace mk::editor {

class TUniMeasPage final : public TValuePage {
  Q_OBJECT

 public:
  explicit TUniMeasPage(TEditorContext& context, QWidget* parent = nullptr);
};

}  // namespace mk::editor
