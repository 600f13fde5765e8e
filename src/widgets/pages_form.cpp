// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/pages_form.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/pages.h"
#include "widgets/dialog_buttons.h"
#include "widgets/qt_text.h"

namespace mk::widgets {

TPagesForm::TPagesForm(const std::string& title, QWidget* parent) : QDialog(parent) {
  setObjectName("PagesForm");
  setWindowTitle(Q(title));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(QStringLiteral("Отметьте страницы, настройки которых сохранить:"), this);
  intro->setObjectName("lIntro");
  layout->addWidget(intro);
  pages_list_ = new QListWidget(this);
  pages_list_->setObjectName("lbPages");
  for (const auto& page : settings::kPages) {
    auto* item = new QListWidgetItem(Q(std::string(page.caption)), pages_list_);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Checked);
    item->setData(Qt::UserRole, static_cast<int>(page.page));
  }
  layout->addWidget(pages_list_);
  const DialogButtons buttons = OkCancelButtons(this, QStringLiteral("Сохранить"));
  // Nothing ticked, nothing to save.
  connect(pages_list_, &QListWidget::itemChanged, this,
          [this, ok = buttons.ok] { ok->setEnabled(!Ticked().empty()); });
  layout->addWidget(buttons.box);
}

std::vector<settings::Page> TPagesForm::Ticked() const {
  std::vector<settings::Page> pages;
  for (int i = 0; i < pages_list_->count(); ++i) {
    const QListWidgetItem* item = pages_list_->item(i);
    if (item->checkState() == Qt::Checked) {
      pages.push_back(static_cast<settings::Page>(item->data(Qt::UserRole).toInt()));
    }
  }
  return pages;
}

std::optional<std::vector<settings::Page>> TPagesForm::Run() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  return Ticked();
}

}  // namespace mk::widgets
