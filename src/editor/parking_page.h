// SPDX-License-Identifier: GPL-3.0-or-later
// The page "Парковка" of the settings editor.
#pragma once

#include "editor/value_page.h"

namespace mk::editor {

class TParkingPage final : public TValuePage {
  Q_OBJECT

 public:
  explicit TParkingPage(TEditorContext& context, QWidget* parent = nullptr);
};

}  // namespace mk::editor
