// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/display_page.h"

#include <QVBoxLayout>

#include "editor/display_show_boxes.h"
#include "editor/display_sub_page.h"
#include "editor/settings_panel.h"
#include "settings/page_rules.h"
#include "widgets/qt_text.h"

namespace mk::editor {

TDisplayPage::TDisplayPage(TEditorContext& context, QWidget* parent)
    : TSettingsPage(context, settings::Page::Display, parent) {}

void TDisplayPage::Build() {
  auto* layout = new QVBoxLayout(Body());
  layout->setContentsMargins(4, 4, 4, 4);
  sub_pages_ = new QTabWidget(this);
  sub_pages_->setObjectName("pcDisp");
  layout->addWidget(sub_pages_);
  for (const auto& info : kDisplayPages) {
    auto* page = new QWidget(sub_pages_);
    page->setObjectName(widgets::Q(info.object_name));
    sub_pages_->addTab(page, widgets::Q(info.caption));
    pages_[static_cast<unsigned>(info.page)] = page;
    auto* content_layout = new QVBoxLayout(page);
    content_layout->setContentsMargins(0, 0, 0, 0);
    if (TDisplaySubPage* content = MakeDisplaySubPage(info.page, Context(), page)) {
      content_layout->addWidget(content);
      contents_[static_cast<unsigned>(info.page)] = content;
    }
  }
  // The plain display options of "Разное" come from the settings metadata.
  misc_values_ =
      new TSettingsPanel(Context(), settings::Page::Display, SubPage(settings::DisplayPage::Misc));
  misc_values_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
  SubPage(settings::DisplayPage::Misc)->layout()->addWidget(misc_values_);
  connect(&Context(), &TEditorContext::Changed, misc_values_, &TSettingsPanel::UpdateVisibility);
  show_boxes_ = new TShowDisplayBoxes(Context(), SubPage(settings::DisplayPage::Misc));
  SubPage(settings::DisplayPage::Misc)->layout()->addWidget(show_boxes_);
}

void TDisplayPage::Fill() {
  const auto features = Mk().Catalogues().Variant().features;
  for (const auto& info : kDisplayPages) {
    sub_pages_->setTabVisible(static_cast<int>(info.page),
                              settings::DisplayPageShown(info.page, features));
    if (TDisplaySubPage* content = SubPageContent(info.page)) content->Fill();
  }
  misc_values_->Fill();
  show_boxes_->Fill();
}

bool TDisplayPage::WriteBack() {
  return misc_values_->CommitPending();
}

void TDisplayPage::AddMarks(TChangedMarks& marks) {
  for (TDisplaySubPage* content : contents_) {
    if (content != nullptr) content->AddMarks(marks);
  }
}

QWidget* TDisplayPage::SubPage(settings::DisplayPage page) const {
  return pages_[static_cast<unsigned>(page)];
}

TDisplaySubPage* TDisplayPage::SubPageContent(settings::DisplayPage page) const {
  return contents_[static_cast<unsigned>(page)];
}

}  // namespace mk::editor
