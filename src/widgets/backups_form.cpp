// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/backups_form.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "widgets/dialog_buttons.h"
#include "widgets/qt_text.h"

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
  backups_grid_ = new QTableWidget(static_cast<int>(rows.size()), 5, this);
  backups_grid_->setObjectName("sgBackups");
  backups_grid_->setHorizontalHeaderLabels(
      {QStringLiteral("Дата и время"), QStringLiteral("Версия"), QStringLiteral("Память, байт"),
       QStringLiteral("Различий"), QStringLiteral("Файл")});
  backups_grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  backups_grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  backups_grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  backups_grid_->verticalHeader()->hide();
  for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
    const BackupRow& row = rows[static_cast<std::size_t>(r)];
    int c = 0;
    for (const std::string* text :
         {&row.when, &row.version, &row.memory, &row.differing, &row.file}) {
      auto* item = new QTableWidgetItem(Q(*text));
      if (c > 0 && c < 4) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      backups_grid_->setItem(r, c++, item);
    }
  }
  backups_grid_->resizeColumnsToContents();
  backups_grid_->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(backups_grid_);
  const DialogButtons buttons = OkCancelButtons(this, QStringLiteral("Показать различия…"));
  connect(backups_grid_, &QTableWidget::cellDoubleClicked, this, &QDialog::accept);
  layout->addWidget(buttons.box);
  if (!rows.empty()) backups_grid_->selectRow(0);
  buttons.ok->setEnabled(!rows.empty());
  resize(760, 380);
}

std::optional<std::size_t> TBackupsForm::Run() {
  if (exec() != QDialog::Accepted || backups_grid_->currentRow() < 0) return std::nullopt;
  return static_cast<std::size_t>(backups_grid_->currentRow());
}

}  // namespace mk::widgets
