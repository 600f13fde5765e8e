#include "app/progress_form.h"

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

  ProgressLabel = new QLabel(QString::fromUtf8("Прогресс"), this);
  ProgressLabel->setObjectName("ProgressLabel");
  ProgressLabel->setAlignment(Qt::AlignCenter);
  ProgressLabel->setWordWrap(true);
  ProgressLabel->setGeometry(8, kCaptionHeight + 4, 245, 41);

  ProgressGauge = new QProgressBar(this);
  ProgressGauge->setObjectName("ProgressGauge");
  ProgressGauge->setRange(0, 100);
  ProgressGauge->setValue(0);
  ProgressGauge->setTextVisible(true);
  ProgressGauge->setFormat("%p%");
  ProgressGauge->setAlignment(Qt::AlignCenter);
  ProgressGauge->setGeometry(20, kCaptionHeight + 48, 220, 25);
  QPalette palette = ProgressGauge->palette();
  palette.setColor(QPalette::Highlight, QColor(0, 0, 200));
  ProgressGauge->setPalette(palette);

  BitBtn1 = new QPushButton(QString::fromUtf8("Отмена"), this);
  BitBtn1->setObjectName("BitBtn1");
  BitBtn1->setGeometry(93, kCaptionHeight + 80, 75, 25);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { cancelled_ = true; });

  setFixedSize(261, kCaptionHeight + 113);
}

void TProgressForm::SetLabel(const std::string& text) {
  ProgressLabel->setText(QString::fromStdString(text));
}

void TProgressForm::SetGauge(int percent) {
  ProgressGauge->setValue(std::clamp(percent, 0, 100));
}

void TProgressForm::ShowGauge(bool visible) {
  ProgressGauge->setVisible(visible);
}

void TProgressForm::ShowCancel(bool visible) {
  BitBtn1->setVisible(visible);
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
  if (BitBtn1->isVisible()) cancelled_ = true;
}

void TProgressForm::closeEvent(QCloseEvent* event) {
  reject();
  event->ignore();
}

void QtPump::ProcessMessages() {
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace mk::app
