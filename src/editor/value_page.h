// A page whose controls edit plain values: one settings panel built from the
// metadata of its page, laid out in the columns the page class gives.
#pragma once

#include "editor/settings_page.h"
#include "editor/settings_panel.h"

namespace mk::editor {

class TValuePage : public TSettingsPage {
  Q_OBJECT

 public:
  TValuePage(TEditorContext& context, settings::Page page, PanelColumns columns,
             QWidget* parent = nullptr, int caption_width = 170);

  void Build() override;
  void Fill() override;
  bool WriteBack() override;

  TSettingsPanel* Panel() const { return panel_; }

 private:
  PanelColumns columns_;
  int caption_width_;
  TSettingsPanel* panel_ = nullptr;
};

}  // namespace mk::editor
