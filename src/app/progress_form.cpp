// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/progress_form.h"
#include "widgets/qt_text.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>

#include <algorithm>

namespace mk::app {

namespace {
constexpr int kCaptionHeight = 20;
}  // namespace

// Some window managers keep their minimise, maximise and close buttons
// whatever a window asks for; this window has none, so it draws its own
// caption and frame.
TProgressForm::TProgressForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName("ProgressForm");
  setWindowTitle("Progress...");
  setModal(false);

  auto* caption = new QLabel(windowTitle(), this);
  caption->setObjectName("Caption");
  caption->setAlignment(Qt::AlignCenter);
  caption->setGeometry(1, 1, 259, kCaptionHeight - 1);
  QFont bold = caption->font();
  bold.setBold(true);
  caption->setFont(bold);
  caption->setAutoFillBackground(true);
  QPalette strip = caption->palette();
  strip.setColor(QPalette::Window, strip.color(QPalette::Highlight));
  strip.setColor(QPalette::WindowText, strip.color(QPalette::HighlightedText));
  caption->setPalette(strip);

  label_ = new QLabel(QStringLiteral("Прогресс"), this);
  label_->setObjectName("ProgressLabel");
  label_->setAlignment(Qt::AlignCenter);
  label_->setWordWrap(true);
  label_->setGeometry(8, kCaptionHeight + 4, 245, 41);

  gauge_ = new QProgressBar(this);
  gauge_->setObjectName("ProgressGauge");
  gauge_->setRange(0, 100);
  gauge_->setValue(0);
  gauge_->setTextVisible(true);
  gauge_->setFormat("%p%");
  gauge_->setAlignment(Qt::AlignCenter);
  gauge_->setGeometry(20, kCaptionHeight + 48, 220, 25);
  QPalette palette = gauge_->palette();
  palette.setColor(QPalette::Highlight, QColor(0, 0, 200));
  gauge_->setPalette(palette);

  cancel_button_ = new QPushButton(QStringLiteral("Отмена"), this);
  cancel_button_->setObjectName("BitBtn1");
  cancel_button_->setGeometry(93, kCaptionHeight + 80, 75, 25);
  connect(cancel_button_, &QPushButton::clicked, this, [this] { cancelled_ = true; });

  setFixedSize(261, kCaptionHeight + 113);
}

void TProgressForm::SetLabel(const std::string& text) {
  label_->setText(widgets::Q(text));
}

void TProgressForm::SetGauge(int percent) {
  gauge_->setValue(std::clamp(percent, 0, 100));
}

void TProgressForm::ShowGauge(bool visible) {
  gauge_->setVisible(visible);
}

void TProgressForm::ShowCancel(bool visible) {
  cancel_button_->setVisible(visible);
}

void TProgressForm::ShowCentred() {
  if (QWidget* owner = parentWidget()) {
    const QRect frame = owner->frameGeometry();
    move(frame.center() - QPoint(width() / 2, height() / 2));
  }
  show();
  raise();
}

void TProgressForm::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void TProgressForm::reject() {
  if (cancel_button_->isVisible()) cancelled_ = true;
}

void TProgressForm::closeEvent(QCloseEvent* event) {
  reject();
  event->ignore();
}

void QtPump::ProcessMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace mk::app
