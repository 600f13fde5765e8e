// SPDX-License-Identifier: GPL-3.0-or-later
// The port-number dialog: the user picks one of the COM ports found present.
#pragma once

#include <QDialog>

#include <array>

#include "link/vl_rs_base.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace mk::app {

using PortList = std::array<bool, link::kMaxPorts + 1>;

class TVL_RS232_SetNumDlg final : public QDialog {
  Q_OBJECT

 public:
  explicit TVL_RS232_SetNumDlg(QWidget* parent = nullptr);

  /// Lists "COM<n>" for every present n in order and selects `current`;
  /// nothing is selected when `current` is not among them.
  void Fill(const PortList& present, int current);
  /// The number of the selected item, or 0 when none is selected.
  int SelectedPort() const;

 private:
  QLabel* prompt_label_;
  QComboBox* port_box_;
  QPushButton* ok_button_;
};

/// Shows TVL_RS232_SetNumDlg for the channel's SelectPortDialog.
class QtPortDialog final : public link::TVL_RS_Base::IPortDialog {
 public:
  explicit QtPortDialog(QWidget* parent) : parent_(parent) {}
  /// The chosen number; 0 for Cancel and for OK with no item selected, so the
  /// channel keeps its port.
  int Choose(const PortList& present, int current) override;

 private:
  QWidget* parent_;
};

}  // namespace mk::app
