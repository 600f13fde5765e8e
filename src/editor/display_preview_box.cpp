// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/display_preview_box.h"

#include <QMouseEvent>
#include <QPainter>

#include <span>

#include "preview/render.h"

namespace mk::editor {

TPreviewBox::TPreviewBox(preview::ScreenKind kind, int screen, QWidget* parent)
    : TPreviewBox(
          [kind, screen](preview::Canvas& canvas, const device::TMK& mk, std::size_t set) {
            preview::RenderScreen(canvas, mk, kind, screen, set);
          },
          parent) {
  kind_ = kind;
  screen_ = screen;
}

TPreviewBox::TPreviewBox(Renderer render, QWidget* parent)
    : QWidget(parent),
      render_(std::move(render)),
      image_(preview::kScreenWidth, preview::kScreenHeight, QImage::Format_RGB32) {
  setFixedSize(preview::kScreenWidth, preview::kScreenHeight);
  setAttribute(Qt::WA_OpaquePaintEvent);
  image_.fill(Qt::black);
}

QSize TPreviewBox::sizeHint() const {
  return size();
}

void TPreviewBox::SetShownSize(QSize size) {
  setFixedSize(size);
}

void TPreviewBox::Redraw(const device::TMK& mk, std::size_t color_set) {
  render_(canvas_, mk, color_set);
  auto* bits = reinterpret_cast<std::uint32_t*>(image_.bits());
  preview::ToArgb32(canvas_,
                    std::span(bits, static_cast<std::size_t>(image_.width() * image_.height())));
  update();
}

void TPreviewBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, size() != image_.size());
  painter.drawImage(rect(), image_);
}

void TPreviewBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::RightButton || !kind_) return;
  const QPoint p = event->position().toPoint();
  const std::optional<int> place = preview::PlaceAt(*kind_, p.x(), p.y(), width(), height());
  if (place) emit PlaceClicked(screen_, *place, event->globalPosition().toPoint());
}

}  // namespace mk::editor
