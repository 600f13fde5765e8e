// SPDX-License-Identifier: GPL-3.0-or-later
// A page whose controls edit plain values: one settings panel built from the
// metadata of its page, laid out in the columns the page class gives.
#pragma once

#include "editor/settings_page.h"
#include "editor/settings_panel.h"

namespace mk::editor {

class TValuePage : public TSettingsPage {
  Q_OBJECT

 public:
  /// A page laid out as the page layout table says.
  TValuePage(TEditorContext& context, settings::Page page, QWidget* parent = nullptr);

  void Build() override;
  void Fill() override;
  bool WriteBack() override;

  TSettingsPanel* Panel() const { return panel_; }

 private:
  TSettingsPanel* panel_ = nullptr;
};

}  // namespace mk::editor
