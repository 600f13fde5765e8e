// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/history_chart_box.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <cstdlib>

#include "viewers/osc_paint_box.h"
#include "widgets/qt_text.h"

namespace mk::viewers {

THistoryChartBox::THistoryChartBox(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("pbChart"));
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void THistoryChartBox::Show(scope::OscPicture picture, std::vector<history::ChartTip> tips) {
  picture_ = std::move(picture);
  tips_ = std::move(tips);
  bitmap_ = QImage(picture_.width, picture_.height, QImage::Format_RGB32);
  bitmap_.fill(Qt::white);
  PaintOscPicture(picture_, bitmap_);
  setFixedSize(picture_.width, picture_.height);
  update();
}

const history::ChartTip* THistoryChartBox::TipAt(int x, int y) const {
  // A few pixels of slack around a small point; the nearest centre wins.
  constexpr int kSlack = 3;
  const history::ChartTip* best = nullptr;
  int best_distance = 0;
  for (const auto& t : tips_) {
    if (x < t.x - kSlack || x > t.x + t.width + kSlack || y < t.y - kSlack ||
        y > t.y + t.height + kSlack) {
      continue;
    }
    const int distance = std::abs(t.x + t.width / 2 - x) + std::abs(t.y + t.height / 2 - y);
    if (best == nullptr || distance < best_distance) {
      best = &t;
      best_distance = distance;
    }
  }
  return best;
}

void THistoryChartBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  if (!bitmap_.isNull()) painter.drawImage(0, 0, bitmap_);
}

bool THistoryChartBox::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  if (const history::ChartTip* tip = TipAt(help->pos().x(), help->pos().y())) {
    QToolTip::showText(help->globalPos(), widgets::Q(tip->text), this,
                       QRect(tip->x, tip->y, tip->width, tip->height));
  } else {
    QToolTip::hideText();
    event->ignore();
  }
  return true;
}

}  // namespace mk::viewers
