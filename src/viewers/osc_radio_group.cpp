// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/osc_radio_group.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace mk::viewers {

TOscRadioGroup::TOscRadioGroup(const char* name, const QString& caption, const QStringList& items,
                               int columns, QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
  setObjectName(name);
  auto* grid = new QGridLayout(this);
  // Items run down each column before the next, as in the MK's own tools.
  const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    buttons_->addButton(button, i);
    grid->addWidget(button, i % rows, i / rows);
  }
  connect(buttons_, &QButtonGroup::idClicked, this, &TOscRadioGroup::Clicked);
}

void TOscRadioGroup::SetItems(const QStringList& items) {
  for (int i = 0; i < Count() && i < items.size(); ++i) Item(i)->setText(items[i]);
}

int TOscRadioGroup::ItemIndex() const {
  return buttons_->checkedId();
}

void TOscRadioGroup::SetItemIndex(int index) {
  if (QRadioButton* item = Item(index)) {
    item->setChecked(true);
    return;
  }
  // Unchecking the checked one needs the group to let go for a moment.
  if (QAbstractButton* checked = buttons_->checkedButton()) {
    buttons_->setExclusive(false);
    checked->setChecked(false);
    buttons_->setExclusive(true);
  }
}

QRadioButton* TOscRadioGroup::Item(int index) const {
  return qobject_cast<QRadioButton*>(buttons_->button(index));
}

int TOscRadioGroup::Count() const {
  return static_cast<int>(buttons_->buttons().size());
}

}  // namespace mk::viewers
