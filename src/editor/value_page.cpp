// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/value_page.h"

#include <QVBoxLayout>

namespace mk::editor {

TValuePage::TValuePage(TEditorContext& context, settings::Page page, QWidget* parent)
    : TSettingsPage(context, page, parent) {}

void TValuePage::Build() {
  auto* layout = new QVBoxLayout(Body());
  layout->setContentsMargins(0, 0, 0, 0);
  panel_ = new TSettingsPanel(Context(), Page(), this);
  layout->addWidget(panel_);
  // Rules inside other controls may span pages (the injector groups of
  // "Поправки" follow the sources of "Источники").
  connect(&Context(), &TEditorContext::Changed, panel_, &TSettingsPanel::UpdateVisibility);
}

void TValuePage::Fill() {
  panel_->Fill();
}

bool TValuePage::WriteBack() {
  return panel_->CommitPending();
}

}  // namespace mk::editor
