// SPDX-License-Identifier: GPL-3.0-or-later
// The chart of the page "Бак": litres against sensor units for the two-point
// line, the seven-point polyline and the table points, each in its colour;
// table points that look like typos are ringed in red.
#pragma once

#include <QColor>
#include <QWidget>

#include "settings/tank_calibration.h"

namespace mk::editor {

class TTankChart final : public QWidget {
  Q_OBJECT

 public:
  static inline const QColor kTwoPointColor{0, 90, 200};
  static inline const QColor kSevenPointColor{0, 150, 60};
  static inline const QColor kTableColor{220, 120, 0};
  static inline const QColor kTypoColor{220, 0, 0};

  explicit TTankChart(QWidget* parent = nullptr);

  /// Draws `chart` from the next paint on.
  void SetChart(settings::TankChart chart);
  const settings::TankChart& Chart() const { return chart_; }

  /// Where a point lands in the widget's current size (the plot area scales
  /// to the points shown, 0 included).
  QPointF Place(const settings::TankPoint& point) const;

  QSize sizeHint() const override { return {360, 300}; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRectF PlotArea() const;

  settings::TankChart chart_;
  // The value ranges the axes show.
  double units_min_ = 0, units_max_ = 1, litres_min_ = 0, litres_max_ = 1;
};

}  // namespace mk::editor
