// SPDX-License-Identifier: GPL-3.0-or-later
// The paint box of the history's charts: paints the core's drawing list as
// the oscilloscope's box does, and tells the values of the point or bar
// under the pointer in a tool tip.
#pragma once

#include <QImage>
#include <QWidget>

#include <vector>

#include "history/charts.h"
#include "scope/osc_drawing.h"

namespace mk::viewers {

class THistoryChartBox final : public QWidget {
  Q_OBJECT

 public:
  explicit THistoryChartBox(QWidget* parent = nullptr);

  /// Shows `picture`; `tips` say where its points and bars lie.
  void Show(scope::OscPicture picture, std::vector<history::ChartTip> tips);
  const scope::OscPicture& Picture() const { return picture_; }
  /// The picture painted, as shown.
  const QImage& Bitmap() const { return bitmap_; }
  /// The tip of the point or bar at (x, y), nearest first; null when none is there.
  const history::ChartTip* TipAt(int x, int y) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  scope::OscPicture picture_;
  std::vector<history::ChartTip> tips_;
  QImage bitmap_;
};

}  // namespace mk::viewers
