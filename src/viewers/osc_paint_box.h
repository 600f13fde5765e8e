// SPDX-License-Identifier: GPL-3.0-or-later
// The oscilloscope's paint box: shows its off-screen bitmap, into which a
// picture of the core is painted, and tells where the pointer is over it.
#pragma once

#include <QImage>
#include <QWidget>

#include "scope/osc_drawing.h"

namespace mk::viewers {

/// Paints `picture` into `bitmap` operation by operation; whatever lies
/// outside the bitmap is clipped.
void PaintOscPicture(const scope::OscPicture& picture, QImage& bitmap);

class TOscPaintBox final : public QWidget {
  Q_OBJECT

 public:
  explicit TOscPaintBox(QWidget* parent = nullptr);

  /// Makes an opaque black bitmap of the box's size.
  void CreateBitmap();
  QImage& Bitmap() { return bitmap_; }
  const QImage& Bitmap() const { return bitmap_; }

 signals:
  void PointerMoved(int x);
  void PointerLeft();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QImage bitmap_;
};

}  // namespace mk::viewers
