// The page "Бак": the fuel-tank calibration and the tank settings file. An
// empty frame here, built against the page contract (settings_page.h).
#pragma once

#include "editor/settings_page.h"

namespace mk::editor {

class TTankPage final : public TSettingsPage {
  Q_OBJECT

 public:
  explicit TTankPage(TEditorContext& context, QWidget* parent = nullptr);

  void Build() override;
  void Fill() override;
};

}  // namespace mk::editor
