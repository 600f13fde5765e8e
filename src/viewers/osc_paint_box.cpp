// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/osc_paint_box.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

#include "widgets/qt_text.h"

namespace mk::viewers {
namespace {

QRgb Colour(scope::Rgb rgb) {
  return qRgb(static_cast<int>(rgb >> 16 & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
              static_cast<int>(rgb & 0xFF));
}

void Paint(const scope::FillOp& f, QImage& bitmap) {
  const QRect area = QRect(f.x, f.y, f.width, f.height).intersected(bitmap.rect());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
    std::fill(row + area.left(), row + area.right() + 1, Colour(f.colour));
  }
}

void Paint(const scope::LineOp& l, QImage& bitmap) {
  const QRgb colour = Colour(l.colour);
  const int w = bitmap.width();
  const int h = bitmap.height();
  scope::ForEachLinePixel(l, [&](int x, int y) {
    if (x >= 0 && x < w && y >= 0 && y < h) reinterpret_cast<QRgb*>(bitmap.scanLine(y))[x] = colour;
  });
}

void Paint(const scope::TextOp& t, QImage& bitmap) {
  QPainter painter(&bitmap);
  QFont font = QApplication::font();
  font.setPixelSize(scope::TextPixels(t.points));
  painter.setFont(font);
  painter.setPen(QColor(Colour(t.colour)));
  painter.drawText(QRect(t.x, t.y, bitmap.width(), bitmap.height()), Qt::AlignLeft | Qt::AlignTop,
                   widgets::Q(t.text));
}

}  // namespace

void PaintOscPicture(const scope::OscPicture& picture, QImage& bitmap) {
  for (const scope::DrawOp& op : picture.ops) {
    std::visit([&bitmap](const auto& o) { Paint(o, bitmap); }, op);
  }
}

TOscPaintBox::TOscPaintBox(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TOscPaintBox::CreateBitmap() {
  bitmap_ = QImage(size(), QImage::Format_RGB32);
  bitmap_.fill(Qt::black);
}

void TOscPaintBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (bitmap_.isNull()) {
    painter.fillRect(rect(), Qt::black);
    return;
  }
  painter.drawImage(0, 0, bitmap_);
}

void TOscPaintBox::mouseMoveEvent(QMouseEvent* event) {
  emit PointerMoved(event->position().toPoint().x());
  QWidget::mouseMoveEvent(event);
}

void TOscPaintBox::leaveEvent(QEvent* event) {
  emit PointerLeft();
  QWidget::leaveEvent(event);
}

}  // namespace mk::viewers
