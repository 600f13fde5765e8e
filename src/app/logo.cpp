// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/logo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace mk::app {

QPixmap MakeLogo() {
  constexpr int kWidth = 240;
  constexpr int kHeight = 40;
  QPixmap pixmap(kWidth, kHeight);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);

  // A dark rounded plate like the MK's own screen.
  QLinearGradient plate(0, 0, 0, kHeight);
  plate.setColorAt(0, QColor(40, 52, 70));
  plate.setColorAt(1, QColor(14, 20, 30));
  p.setPen(Qt::NoPen);
  p.setBrush(plate);
  p.drawRoundedRect(QRectF(0.5, 0.5, kWidth - 1, kHeight - 1), 6, 6);

  // The dial: an arc of ticks from green through amber to red, and a needle.
  const QPointF centre(26, 31);
  const double radius = 22;
  for (int i = 0; i <= 10; ++i) {
    const double angle = std::numbers::pi * (1.0 - i / 10.0);
    const QColor colour = i < 6   ? QColor(90, 210, 120)
                          : i < 9 ? QColor(240, 190, 60)
                                  : QColor(230, 70, 60);
    p.setPen(QPen(colour, i % 5 == 0 ? 2.5 : 1.5, Qt::SolidLine, Qt::RoundCap));
    const QPointF dir(std::cos(angle), -std::sin(angle));
    p.drawLine(centre + dir * (radius - (i % 5 == 0 ? 7 : 4)), centre + dir * radius);
  }
  const double needle = std::numbers::pi * 0.3;
  p.setPen(QPen(QColor(250, 250, 250), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(centre, centre + QPointF(std::cos(needle), -std::sin(needle)) * (radius - 5));
  p.setBrush(QColor(250, 250, 250));
  p.setPen(Qt::NoPen);
  p.drawEllipse(centre, 3, 3);

  // The name.
  QFont big("DejaVu Sans");
  big.setPixelSize(24);
  big.setBold(true);
  p.setFont(big);
  p.setPen(QColor(235, 240, 250));
  p.drawText(QRectF(56, 2, 70, 36), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("МК"));

  QFont small("DejaVu Sans");
  small.setPixelSize(10);
  p.setFont(small);
  p.setPen(QColor(150, 180, 215));
  p.drawText(QRectF(108, 4, 130, 16), Qt::AlignVCenter | Qt::AlignLeft,
             QStringLiteral("бортовой компьютер"));
  p.drawText(QRectF(108, 20, 130, 16), Qt::AlignVCenter | Qt::AlignLeft,
             QStringLiteral("настройка и журналы"));
  return pixmap;
}

}  // namespace mk::app
