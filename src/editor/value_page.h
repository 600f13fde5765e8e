// A page whose controls edit plain values: built from the settings metadata
// of its page, group by group, each control bound to its setting.
#pragma once

#include "editor/settings_page.h"

namespace mk::editor {

class TValuePage : public TSettingsPage {
  Q_OBJECT

 public:
  TValuePage(TEditorContext& context, settings::Page page, QWidget* parent = nullptr);

  void Build() override;
  void Fill() override;
};

}  // namespace mk::editor
