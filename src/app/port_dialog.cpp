// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/port_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace mk::app {

TVL_RS232_SetNumDlg::TVL_RS232_SetNumDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("VL_RS232_SetNumDlg");
  setWindowTitle(QString::fromUtf8("Выбор номера порта"));

  Label1 = new QLabel(QString::fromUtf8("Выберите последовательный порт"), this);
  Label1->setObjectName("Label1");
  Label1->setGeometry(8, 8, 230, 20);

  PCB = new QComboBox(this);
  PCB->setObjectName("PCB");
  PCB->setEditable(false);
  PCB->setGeometry(8, 34, 230, 26);

  OKBtn = new QPushButton("OK", this);
  OKBtn->setObjectName("OKBtn");
  OKBtn->setGeometry(252, 8, 77, 27);
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton(QString::fromUtf8("Отмена"), this);
  CancelBtn->setObjectName("CancelBtn");
  CancelBtn->setGeometry(252, 44, 77, 27);

  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  setFixedSize(337, 85);
  PCB->setFocus();
}

void TVL_RS232_SetNumDlg::Fill(const PortList& present, int current) {
  PCB->clear();
  int selected = -1;
  for (int n = 1; n <= link::kMaxPorts; ++n) {
    if (!present[static_cast<std::size_t>(n)]) continue;
    PCB->addItem(QString("COM%1").arg(n), n);
    if (n == current) selected = PCB->count() - 1;
  }
  PCB->setCurrentIndex(selected);
  // With nothing to choose the dialog says so, and OK has nothing to take.
  Label1->setText(PCB->count() == 0 ? QString::fromUtf8(link::kNoFreePort)
                                    : QString::fromUtf8("Выберите последовательный порт"));
  OKBtn->setEnabled(PCB->count() != 0);
}

int TVL_RS232_SetNumDlg::SelectedPort() const {
  if (PCB->currentIndex() < 0) return 0;
  // The number follows the three letters "COM".
  bool ok = false;
  const int n = PCB->currentText().mid(3).toInt(&ok);
  return ok ? n : 0;
}

int QtPortDialog::Choose(const PortList& present, int current) {
  TVL_RS232_SetNumDlg dialog(parent_);
  dialog.Fill(present, current);
  dialog.PCB->setFocus();
  if (dialog.exec() != QDialog::Accepted) return 0;
  return dialog.SelectedPort();
}

}  // namespace mk::app
