// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/backups_form.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "widgets/dialog_buttons.h"

namespace mk::widgets {

TBackupsForm::TBackupsForm(const std::vector<BackupRow>& rows, QWidget* parent) : QDialog(parent) {
  setObjectName("BackupsForm");
  setWindowTitle(QStringLiteral("Восстановить из резервной копии"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      QStringLiteral("Копии памяти МК, сделанные перед записью, новые первыми. Выбранная копия "
                     "станет текущими настройками; в МК она попадёт только после записи."),
      this);
  intro->setWordWrap(true);
  layout->addWidget(intro);
  sgBackups = new QTableWidget(static_cast<int>(rows.size()), 5, this);
  sgBackups->setObjectName("sgBackups");
  sgBackups->setHorizontalHeaderLabels({QStringLiteral("Дата и время"), QStringLiteral("Версия"),
                                        QStringLiteral("Память, байт"), QStringLiteral("Различий"),
                                        QStringLiteral("Файл")});
  sgBackups->setSelectionBehavior(QAbstractItemView::SelectRows);
  sgBackups->setSelectionMode(QAbstractItemView::SingleSelection);
  sgBackups->setEditTriggers(QAbstractItemView::NoEditTriggers);
  sgBackups->verticalHeader()->hide();
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const BackupRow& row = rows[static_cast<std::size_t>(r)];
    int c = 0;
    for (const std::string* text :
         {&row.when, &row.version, &row.memory, &row.differing, &row.file}) {
      auto* item = new QTableWidgetItem(QString::fromStdString(*text));
      if (c > 0 && c < 4) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      sgBackups->setItem(r, c++, item);
    }
  }
  sgBackups->resizeColumnsToContents();
  sgBackups->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(sgBackups);
  const DialogButtons buttons = OkCancelButtons(this, QStringLiteral("Показать различия…"));
  bOk = buttons.ok;
  bCancel = buttons.cancel;
  connect(sgBackups, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
  layout->addWidget(buttons.box);
  if (!rows.empty()) sgBackups->selectRow(0);
  bOk->setEnabled(!rows.empty());
  resize(760, 380);
}

std::optional<std::size_t> TBackupsForm::Run() {
  if (exec() != QDialog::Accepted || sgBackups->currentRow() < 0) return std::nullopt;
  return static_cast<std::size_t>(sgBackups->currentRow());
}

}  // namespace mk::widgets
