// SPDX-License-Identifier: GPL-3.0-or-later
// A preview box: one MK screen drawn 1:1 by the core's renderer, or smaller
// where a page shows many. A right click reports the place under the pointer;
// left and middle clicks do nothing.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>

#include <functional>
#include <optional>

#include "preview/canvas.h"
#include "preview/screen_kind.h"

namespace mk::device {
class TMK;
}

namespace mk::editor {

class TPreviewBox final : public QWidget {
  Q_OBJECT

 public:
  /// Draws the canvas for the image in a working colour set.
  using Renderer = std::function<void(preview::Canvas&, const device::TMK&, std::size_t)>;

  /// `screen` is the box's tag: the screen number it shows (0-based).
  TPreviewBox(preview::ScreenKind kind, int screen, QWidget* parent = nullptr);
  /// A box that only shows what `render` draws; clicks do nothing.
  explicit TPreviewBox(Renderer render, QWidget* parent = nullptr);

  int Screen() const { return screen_; }
  /// Redraws from the image in the working colour set `color_set`.
  void Redraw(const device::TMK& mk, std::size_t color_set);
  const QImage& Image() const { return image_; }
  /// Shows the screen at `size` (smoothed) rather than 1:1.
  void SetShownSize(QSize size);

  QSize sizeHint() const override;

 signals:
  /// A right click on place `place`, at `global` on the screen.
  void PlaceClicked(int screen, int place, QPoint global);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::optional<preview::ScreenKind> kind_;
  int screen_ = 0;
  Renderer render_;
  preview::Canvas canvas_;
  QImage image_;
};

}  // namespace mk::editor
