// SPDX-License-Identifier: GPL-3.0-or-later
// The page "Границы" of the settings editor.
#pragma once

#include "editor/value_page.h"

namespace mk::editor {

class TLimitsPage final : public TValuePage {
  Q_OBJECT

 public:
  explicit TLimitsPage(TEditorContext& context, QWidget* parent = nullptr);
};

}  // namespace mk::editor
