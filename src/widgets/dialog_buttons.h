// SPDX-License-Identifier: GPL-3.0-or-later
// The answer buttons of the small list windows: one that goes on, named bOk
// and taking Enter, and "Отмена", named bCancel.
#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;
class QPushButton;

namespace mk::widgets {

struct DialogButtons {
  QDialogButtonBox* box;
  QPushButton* ok;
  QPushButton* cancel;
};

/// The buttons, accepting and rejecting `dialog`; the caller places the box.
DialogButtons OkCancelButtons(QDialog* dialog, const QString& ok_text);

}  // namespace mk::widgets
