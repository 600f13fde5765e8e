// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dialog_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace mk::widgets {

DialogButtons OkCancelButtons(QDialog* dialog, const QString& ok_text) {
  auto* box = new QDialogButtonBox(dialog);
  QPushButton* ok = box->addButton(ok_text, QDialogButtonBox::AcceptRole);
  ok->setObjectName("bOk");
  ok->setDefault(true);
  QPushButton* cancel = box->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
  cancel->setObjectName("bCancel");
  QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return {box, ok, cancel};
}

}  // namespace mk::widgets
