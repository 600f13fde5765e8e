// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/port_dialog.h"
#include "widgets/qt_text.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace mk::app {

TVL_RS232_SetNumDlg::TVL_RS232_SetNumDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("VL_RS232_SetNumDlg");
  setWindowTitle(QStringLiteral("Выбор номера порта"));

  prompt_label_ = new QLabel(QStringLiteral("Выберите последовательный порт"), this);
  prompt_label_->setObjectName("Label1");
  prompt_label_->setGeometry(8, 8, 230, 20);

  port_box_ = new QComboBox(this);
  port_box_->setObjectName("PCB");
  port_box_->setEditable(false);
  port_box_->setGeometry(8, 34, 230, 26);

  ok_button_ = new QPushButton("OK", this);
  ok_button_->setObjectName("OKBtn");
  ok_button_->setGeometry(252, 8, 77, 27);
  ok_button_->setDefault(true);
  auto* cancel_button = new QPushButton(QStringLiteral("Отмена"), this);
  cancel_button->setObjectName("CancelBtn");
  cancel_button->setGeometry(252, 44, 77, 27);

  connect(ok_button_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_button, &QPushButton::clicked, this, &QDialog::reject);
  setFixedSize(337, 85);
  port_box_->setFocus();
}

void TVL_RS232_SetNumDlg::Fill(const PortList& present, int current) {
  port_box_->clear();
  int selected = -1;
  for (int n = 1; n <= link::kMaxPorts; ++n) {
    if (!present[static_cast<std::size_t>(n)]) continue;
    port_box_->addItem(QStringLiteral("COM%1").arg(n), n);
    if (n == current) selected = port_box_->count() - 1;
  }
  port_box_->setCurrentIndex(selected);
  // With nothing to choose the dialog says so, and OK has nothing to take.
  prompt_label_->setText(port_box_->count() == 0
                             ? widgets::Q(link::kNoFreePort)
                             : QStringLiteral("Выберите последовательный порт"));
  ok_button_->setEnabled(port_box_->count() != 0);
}

int TVL_RS232_SetNumDlg::SelectedPort() const {
  if (port_box_->currentIndex() < 0) return 0;
  // The number follows the three letters "COM".
  bool ok = false;
  const int n = port_box_->currentText().mid(3).toInt(&ok);
  return ok ? n : 0;
}

int QtPortDialog::Choose(const PortList& present, int current) {
  TVL_RS232_SetNumDlg dialog(parent_);
  dialog.Fill(present, current);
  if (dialog.exec() != QDialog::Accepted) return 0;
  return dialog.SelectedPort();
}

}  // namespace mk::app
