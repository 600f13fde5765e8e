// SPDX-License-Identifier: GPL-3.0-or-later
// The list of the backups writes left, to pick one to restore.
#pragma once

#include <QDialog>

#include <optional>

#include "widgets/dialogs.h"

class QTableWidget;

namespace mk::widgets {

class TBackupsForm final : public QDialog {
  Q_OBJECT

 public:
  TBackupsForm(const std::vector<BackupRow>& rows, QWidget* parent = nullptr);

  /// Modal; the chosen row, or nullopt.
  std::optional<std::size_t> Run();

 private:
  QTableWidget* backups_grid_;
};

}  // namespace mk::widgets
