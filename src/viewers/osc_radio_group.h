// SPDX-License-Identifier: GPL-3.0-or-later
// A group of radio buttons in columns, picked by item index (-1: none), that
// reports the user's clicks only, not choices made in code.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace mk::viewers {

class TOscRadioGroup final : public QGroupBox {
  Q_OBJECT

 public:
  TOscRadioGroup(const char* name, const QString& caption, const QStringList& items, int columns,
                 QWidget* parent = nullptr);

  /// Renames the items in place; their number stays.
  void SetItems(const QStringList& items);
  int ItemIndex() const;
  /// Checks item `index`; one out of range checks none.
  void SetItemIndex(int index);
  QRadioButton* Item(int index) const;
  int Count() const;

 signals:
  void Clicked(int index);

 private:
  QButtonGroup* buttons_;
};

}  // namespace mk::viewers
