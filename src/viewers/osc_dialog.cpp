// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewers/osc_dialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QVBoxLayout>

#include <utility>

#include "device/mk.h"
#include "scope/osc_scales.h"
#include "scope/osc_text.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "viewers/osc_paint_box.h"
#include "viewers/osc_radio_group.h"
#include "widgets/decimal_separator.h"
#include "widgets/dialogs.h"
#include "widgets/qt_text.h"

namespace mk::viewers {
namespace {

using widgets::Q;

constexpr int kClientWidth = 1002;
constexpr int kClientHeight = 523;
constexpr int kScrollHeight = 16;
constexpr int kScrollPage = 32;

QStringList Items(const char* const* items, int count) {
  QStringList list;
  for (int i = 0; i < count; ++i) list << Q(items[i]);
  return list;
}

QStringList VoltItems(int divider_index) {
  QStringList list;
  for (int v = 0; v < scope::kRanges; ++v) list << Q(scope::VoltCaption(divider_index, v));
  return list;
}

}  // namespace

TMK_ViewOscDlg::TMK_ViewOscDlg(device::TMK& mk, widgets::IDialogs& dialogs,
                               std::string program_folder, QWidget* parent)
    : QDialog(parent),
      mk_(mk),
      dialogs_(dialogs),
      program_folder_(std::move(program_folder)),
      base_time_index_(scope::CheckedTimeIndex(scope::OscRecording::Of(mk).TimeIndex())) {
  BuildControls();
}

TMK_ViewOscDlg::~TMK_ViewOscDlg() = default;

void TMK_ViewOscDlg::BuildControls() {
  setObjectName(QStringLiteral("MK_ViewOscDlg"));
  setWindowTitle(Q(kOscCaption));
  // A fixed dialog border: no maximise or minimise, no resizing.
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(kClientWidth, kClientHeight);
  setSizeGripEnabled(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  picture_ = new TOscPaintBox(this);
  picture_->setObjectName("PB");
  picture_->setFixedSize(kClientWidth, scope::OscView::kHeight);
  layout->addWidget(picture_);

  BuildScrollBar(layout);
  BuildControlRow(layout);
  ConnectControls();
}

void TMK_ViewOscDlg::BuildScrollBar(QVBoxLayout* layout) {
  scroll_bar_ = new QScrollBar(Qt::Horizontal, this);
  scroll_bar_->setObjectName("sbSclollOffset");
  scroll_bar_->setFixedHeight(kScrollHeight);
  scroll_bar_->setRange(scope::OscView::kMinOffset, scope::OscView::kMaxOffset);
  scroll_bar_->setPageStep(kScrollPage);
  scroll_bar_->setSingleStep(1);
  // Arrows, Page Up and Down, Home and End scroll from the keyboard.
  scroll_bar_->setFocusPolicy(Qt::StrongFocus);
  scroll_bar_->installEventFilter(this);
  layout->addWidget(scroll_bar_);
}

void TMK_ViewOscDlg::BuildControlRow(QVBoxLayout* layout) {
  auto* controls = new QHBoxLayout;
  controls->setContentsMargins(8, 8, 8, 8);
  controls->setSpacing(8);
  time_scale_ = new TOscRadioGroup("rgOscTimeDiv", QStringLiteral("мс/деление"),
                                   Items(scope::kTimeItems, scope::kTimeScales), 2, this);
  volt_scale_ =
      new TOscRadioGroup("rgOscVoltDiv", QStringLiteral("Вольт/деление"), VoltItems(0), 1, this);
  divider_ = new TOscRadioGroup("rgOscInDivider", QStringLiteral("Входной делитель"),
                                Items(scope::kDividerItems, scope::kDividers), 1, this);
  // The MK sets the range and the divider when it records; they are shown, not chosen.
  volt_scale_->setEnabled(false);
  divider_->setEnabled(false);
  for (QWidget* group : {static_cast<QWidget*>(time_scale_), static_cast<QWidget*>(volt_scale_),
                         static_cast<QWidget*>(divider_)}) {
    controls->addWidget(group, 0, Qt::AlignTop);
  }

  auto* side = new QVBoxLayout;
  readout_ = new QLabel(this);
  readout_->setObjectName("lReadout");
  readout_->setMinimumWidth(280);
  save_button_ = new QPushButton(QStringLiteral("Сохранить в файл"), this);
  save_button_->setObjectName("bSave");
  save_button_->setAutoDefault(false);
  side->addWidget(readout_);
  side->addWidget(save_button_, 0, Qt::AlignLeft);
  side->addStretch(1);
  controls->addLayout(side);
  controls->addStretch(1);
  layout->addLayout(controls);
  layout->addStretch(1);
}

void TMK_ViewOscDlg::ConnectControls() {
  connect(time_scale_, &TOscRadioGroup::Clicked, this, [this](int i) { ChooseTimeScale(i); });
  connect(volt_scale_, &TOscRadioGroup::Clicked, this, [this] { ChooseVoltScale(); });
  connect(divider_, &TOscRadioGroup::Clicked, this, [this] { ChooseVoltScale(); });
  connect(scroll_bar_, &QScrollBar::valueChanged, this, [this](int position) { Scroll(position); });
  connect(save_button_, &QPushButton::clicked, this, [this] { SaveTrace(); });
  connect(picture_, &TOscPaintBox::PointerMoved, this, [this](int x) { ShowReadout(x); });
  connect(picture_, &TOscPaintBox::PointerLeft, this, [this] {
    pointer_x_.reset();
    readout_->clear();
  });
}

// The toolkit's scroll bars step backwards on the right arrow (their controls
// are inverted for the wheel); here the arrows go the way they point.
bool TMK_ViewOscDlg::eventFilter(QObject* watched, QEvent* event) {
  if (watched == scroll_bar_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
      scroll_bar_->triggerAction(key == Qt::Key_Right ? QAbstractSlider::SliderSingleStepAdd
                                                      : QAbstractSlider::SliderSingleStepSub);
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TMK_ViewOscDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_ || event->spontaneous()) return;
  shown_ = true;
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  ShowRecording();
}

void TMK_ViewOscDlg::ShowRecording() {
  const scope::OscRecording rec = Recording();
  // Part 2's divider names the volts of a division; one out of its table keeps
  // the plain captions, and the drawing says what is wrong.
  try {
    volt_scale_->SetItems(VoltItems(rec.DividerIndex2()));
  } catch (const RangeError&) {
  }
  picture_->CreateBitmap();
  time_scale_->SetItemIndex(rec.TimeIndex());
  volt_scale_->SetItemIndex(rec.RangeIndex());
  divider_->SetItemIndex(rec.DividerIndex1());
  offset_ = 0;
  {
    const QSignalBlocker quiet(scroll_bar_);
    scroll_bar_->setRange(scope::OscView::kMinOffset, scope::OscView::kMaxOffset);
    scroll_bar_->setValue(0);
  }
  scroll_bar_->setFocus();
  Draw();
}

void TMK_ViewOscDlg::ChooseTimeScale(int index) {
  scope::SetTimeIndex(mk_, index);
  Draw();
}

void TMK_ViewOscDlg::ChooseVoltScale() {
  scope::SetRangeIndex(mk_, volt_scale_->ItemIndex());
  Draw();
}

void TMK_ViewOscDlg::Scroll(int position) {
  offset_ = position;
  Draw();
}

void TMK_ViewOscDlg::SaveTrace() {
  const auto path = dialogs_.SaveFile(widgets::FileKind::Text, program_folder_, {});
  if (!path) return;
  try {
    scope::SaveTraceText(text::PathFromUtf8(*path), Recording(), View());
  } catch (const Error& e) {
    dialogs_.ShowError(e.what());
  }
}

void TMK_ViewOscDlg::ShowReadout(int x) {
  pointer_x_ = x;
  readout_->setText(Q(scope::PointerReadout(Recording(), View(), x)));
}

void TMK_ViewOscDlg::Draw() {
  if (picture_->Bitmap().isNull()) picture_->CreateBitmap();
  try {
    PaintOscPicture(scope::DrawOscilloscope(Recording(), View()), picture_->Bitmap());
  } catch (const Error& e) {
    dialogs_.ShowError(e.what());
  }
  picture_->update();
  // The picture moved under a pointer held still.
  if (pointer_x_) ShowReadout(*pointer_x_);
}

scope::OscView TMK_ViewOscDlg::View() const {
  scope::OscView view;
  view.offset = offset_;
  view.base_time_index = base_time_index_;
  view.width = picture_->width();
  view.height = picture_->height();
  view.decimal_separator = widgets::DecimalSeparator();
  return view;
}

scope::OscRecording TMK_ViewOscDlg::Recording() const {
  return scope::OscRecording::Of(mk_);
}

widgets::WindowOutcome RunOscilloscope(device::TMK& mk,
                                       const widgets::WindowEnvironment& environment) {
  widgets::WindowDialogs dialogs(environment.dialogs);
  TMK_ViewOscDlg dialog(mk, dialogs.Get(), environment.folder, environment.parent);
  dialogs.Over(&dialog);
  dialog.exec();
  return {.accepted = true, .changed = false};
}

}  // namespace mk::viewers
