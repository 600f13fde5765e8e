#include "editor/display_page.h"

#include <QVBoxLayout>

#include "settings/page_rules.h"

namespace mk::editor {

TDisplayPage::TDisplayPage(TEditorContext& context, QWidget* parent)
    : TSettingsPage(context, settings::Page::Display, parent) {}

void TDisplayPage::Build() {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  sub_pages_ = new QTabWidget(this);
  sub_pages_->setObjectName("pcDisp");
  layout->addWidget(sub_pages_);
  for (const auto& info : settings::kDisplayPages) {
    auto* page = new QWidget(sub_pages_);
    page->setObjectName(QString::fromUtf8(info.object_name));
    sub_pages_->addTab(page, QString::fromUtf8(info.caption));
    pages_[static_cast<unsigned>(info.page)] = page;
  }
}

void TDisplayPage::Fill() {
  const auto features = Mk().Catalogues().Variant().features;
  for (const auto& info : settings::kDisplayPages) {
    sub_pages_->setTabVisible(static_cast<int>(info.page),
                              settings::DisplayPageShown(info.page, features));
  }
}

QWidget* TDisplayPage::SubPage(settings::DisplayPage page) const {
  return pages_[static_cast<unsigned>(page)];
}

}  // namespace mk::editor
