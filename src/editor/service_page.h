// SPDX-License-Identifier: GPL-3.0-or-later
// The page "ТО" of the settings editor.
#pragma once

#include "editor/value_page.h"

namespace mk::editor {

class TServicePage final : public TValuePage {
  Q_OBJECT

 public:
  explicit TServicePage(TEditorContext& context, QWidget* parent = nullptr);
};

}  // namespace mk::editor
