// SPDX-License-Identifier: GPL-3.0-or-later
// The choice of pages to save as text: a tick per editor page.
#pragma once

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

#include "settings/setting.h"

class QListWidget;

namespace mk::widgets {

class TPagesForm final : public QDialog {
  Q_OBJECT

 public:
  explicit TPagesForm(const std::string& title, QWidget* parent = nullptr);

  /// Modal; the ticked pages in page order, or nullopt when cancelled.
  std::optional<std::vector<settings::Page>> Run();

 private:
  /// The pages ticked now.
  std::vector<settings::Page> Ticked() const;

  QListWidget* pages_list_;
};

}  // namespace mk::widgets
