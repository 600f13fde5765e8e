#include "editor/settings_page.h"

namespace mk::editor {

TSettingsPage::TSettingsPage(TEditorContext& context, settings::Page page, QWidget* parent)
    : QWidget(parent), context_(context), page_(page) {
  setObjectName(QString::fromUtf8(settings::InfoOf(page).object_name));
}

QString TSettingsPage::Caption() const {
  const auto caption = settings::InfoOf(page_).caption;
  return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
}

}  // namespace mk::editor
