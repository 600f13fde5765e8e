// SPDX-License-Identifier: GPL-3.0-or-later
// The differences between two settings images in the editor's words, page by
// page: the question before a write, the compare window, the confirmation of
// a restore and the choice of pages to take from another file.
#pragma once

#include <QDialog>

#include "widgets/dialogs.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QVBoxLayout;

namespace mk::widgets {

class TChangesForm final : public QDialog {
  Q_OBJECT

 public:
  TChangesForm(const ChangesView& view, QWidget* parent = nullptr);

  /// Modal; what the user chose.
  ChangesAnswer Run();

 private:
  /// The introduction, the filter and the tree of changes.
  void BuildList(QVBoxLayout* layout);
  /// The answer buttons, named for what the list is shown for.
  void BuildButtons(QVBoxLayout* layout);
  void Fill();
  void Recount();
  /// Hides the settings not containing `text` (any case) and recounts the pages.
  void ApplyFilter(const QString& text);
  /// "Отмечено N из M" and whether the answer button has anything to do.
  void CountTicks();
  void OnDoubleClick(QTreeWidgetItem* item);
  /// What the buttons and ticks say now.
  ChangesAnswer Answer() const;

  QTreeWidget* changes_tree_;
  QLabel* ticked_label_;  // "Отмечено 2 из 3"; hidden when the list has no ticks
  // "Записать", "Восстановить", "Взять", "Взять отмеченные" (Compare); none
  // when there is nothing to compare.
  QPushButton* ok_button_ = nullptr;
  ChangesView view_;
  const settings::Setting* open_ = nullptr;
};

}  // namespace mk::widgets
