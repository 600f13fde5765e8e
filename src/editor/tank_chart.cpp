// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/tank_chart.h"
#include "widgets/qt_text.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <utility>

namespace mk::editor {

namespace {

// Around the plot: the litres' scale at the left, room for the last units'
// number at the right. Above and below, the texts take lines as tall as the
// font draws them, whatever the scaling.
constexpr double kLeft = 40, kRight = 22;

// A step of 1, 2 or 5 times a power of ten that gives about five grid lines.
double NiceStep(double span) {
  const double raw = span / 5;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  for (double m : {1.0, 2.0, 5.0}) {
    if (raw <= m * power) return m * power;
  }
  return 10 * power;
}

void Widen(double& low, double& high) {
  if (high - low < 1) high = low + 1;
  const double step = NiceStep(high - low);
  low = std::floor(low / step) * step;
  high = std::ceil(high / step) * step;
}

}  // namespace

TTankChart::TTankChart(QWidget* parent) : QWidget(parent) {
  setObjectName("pbTankChart");
  setMinimumSize(240, 200);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TTankChart::SetChart(settings::TankChart chart) {
  chart_ = std::move(chart);
  units_min_ = litres_min_ = 0;
  units_max_ = litres_max_ = 1;
  for (const auto* series : {&chart_.two_point, &chart_.seven_point, &chart_.table}) {
    for (const settings::TankPoint& p : *series) {
      units_min_ = std::min(units_min_, static_cast<double>(p.units));
      units_max_ = std::max(units_max_, static_cast<double>(p.units));
      litres_min_ = std::min(litres_min_, static_cast<double>(p.litres));
      litres_max_ = std::max(litres_max_, static_cast<double>(p.litres));
    }
  }
  Widen(units_min_, units_max_);
  Widen(litres_min_, litres_max_);
  update();
}

QRectF TTankChart::PlotArea() const {
  // The legend above; the units' numbers and "у.е." below, a line each.
  const double line = fontMetrics().height();
  const double top = line + 8, bottom = 2 * line + 4;
  return QRectF(kLeft, top, std::max(1.0, width() - kLeft - kRight),
                std::max(1.0, height() - top - bottom));
}

QPointF TTankChart::Place(const settings::TankPoint& point) const {
  const QRectF area = PlotArea();
  const double x = (static_cast<double>(point.units) - units_min_) / (units_max_ - units_min_);
  const double y = (static_cast<double>(point.litres) - litres_min_) / (litres_max_ - litres_min_);
  return {area.left() + x * area.width(), area.bottom() - y * area.height()};
}

void TTankChart::paintEvent(QPaintEvent* /*event*/) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF area = PlotArea();
  const QFontMetrics metrics = p.fontMetrics();
  const double line = metrics.height();

  // Grid and scales: litres up, units across.
  p.setPen(QColor(225, 225, 225));
  const double litres_step = NiceStep(litres_max_ - litres_min_);
  for (double v = litres_min_; v <= litres_max_ + litres_step / 2; v += litres_step) {
    const double y = Place({0, std::llround(v)}).y();
    p.setPen(QColor(225, 225, 225));
    p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    p.setPen(Qt::darkGray);
    p.drawText(QRectF(0, y - line / 2, kLeft - 4, line), Qt::AlignRight | Qt::AlignVCenter,
               QString::number(v, 'f', 0));
  }
  const double units_step = NiceStep(units_max_ - units_min_);
  for (double v = units_min_; v <= units_max_ + units_step / 2; v += units_step) {
    const double x = Place({std::llround(v), 0}).x();
    p.setPen(QColor(225, 225, 225));
    p.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
    p.setPen(Qt::darkGray);
    p.drawText(QRectF(x - 30, area.bottom() + 2, 60, line), Qt::AlignHCenter | Qt::AlignTop,
               QString::number(v, 'f', 0));
  }
  p.setPen(Qt::gray);
  p.drawRect(area);
  p.drawText(QRectF(area.right() - 60, area.bottom() + 2 + line, 60, line), Qt::AlignRight, "у.е.");
  p.drawText(QRectF(2, 2, kLeft, line), Qt::AlignLeft, "литры");

  auto polyline = [&](const std::vector<settings::TankPoint>& points, const QColor& color,
                      double width, double dot) {
    if (points.empty()) return;
    QPainterPath path(Place(points.front()));
    for (std::size_t i = 1; i < points.size(); ++i) path.lineTo(Place(points[i]));
    p.setPen(QPen(color, width));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setBrush(color);
    p.setPen(Qt::NoPen);
    for (const auto& point : points) p.drawEllipse(Place(point), dot, dot);
  };
  polyline(chart_.table, kTableColor, 1, 2.5);
  polyline(chart_.seven_point, kSevenPointColor, 1.5, 3);
  polyline(chart_.two_point, kTwoPointColor, 2, 3.5);

  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kTypoColor, 2));
  for (std::size_t i = 0; i < chart_.table.size() && i < chart_.table_typos.size(); ++i) {
    if (chart_.table_typos[i]) p.drawEllipse(Place(chart_.table[i]), 7, 7);
  }

  // The legend, one coloured mark and caption per series.
  double x = kLeft + 8;
  for (const auto& [color, caption] :
       {std::pair{kTwoPointColor, "2 точки"}, std::pair{kSevenPointColor, "7 точек"},
        std::pair{kTableColor, "тарировка"}}) {
    p.fillRect(QRectF(x, 2 + (line - 8) / 2, 12, 8), color);
    p.setPen(Qt::black);
    const QString text = widgets::Q(caption);
    p.drawText(QPointF(x + 16, 2 + metrics.ascent()), text);
    x += 16 + metrics.horizontalAdvance(text) + 14;
  }
}

}  // namespace mk::editor
