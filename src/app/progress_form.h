// SPDX-License-Identifier: GPL-3.0-or-later
// The small always-on-top window that shows a transfer's advance and offers
// Cancel while the MK is being looked for; and the pump that keeps windows
// alive while the link waits.
#pragma once

#include <QDialog>

#include "link/clock.h"
#include "link/progress.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace mk::app {

class TProgressForm final : public QDialog, public link::IProgress {
  Q_OBJECT

 public:
  /// Centred on `owner` (the main window) when shown.
  explicit TProgressForm(QWidget* owner);

  void SetLabel(const std::string& text) override;
  void SetGauge(int percent) override;
  void ShowGauge(bool visible) override;
  void ShowCancel(bool visible) override;
  bool Cancelled() override { return cancelled_; }

  /// Shows the window without blocking, centred on its owner.
  void ShowCentred();

 protected:
  // Esc and the window manager's close only count as Cancel; the window
  // stays until its user frees it.
  void reject() override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  // Object names: ProgressLabel, ProgressGauge, BitBtn1.
  QLabel* label_;
  QProgressBar* gauge_;
  QPushButton* cancel_button_;
  bool cancelled_ = false;
};

/// Lets Qt process pending events (repaints, the Cancel click) during waits.
class QtPump final : public link::IPump {
 public:
  void ProcessMessages() override;
};

}  // namespace mk::app
