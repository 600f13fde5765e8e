// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/display_screens_page.h"

#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QVBoxLayout>

#include "editor/changed_marks.h"
#include "editor/display_preview_box.h"
#include "settings/color_schemes.h"
#include "widgets/qt_text.h"

namespace mk::editor {
namespace {

QString BoxName(preview::ScreenKind kind, int screen) {
  // pbDisp4_0, pbDisp3_2, pbDispG_7, pbDispA_0, pbDisp6_0 ...
  static constexpr const char* kTags[] = {"4", "9", "7", "3", "6", "G", "A"};
  return QStringLiteral("pbDisp%1_%2").arg(kTags[static_cast<int>(kind)]).arg(screen);
}

}  // namespace

TScreensSubPage::TScreensSubPage(preview::ScreenKind kind, TEditorContext& context, QWidget* parent)
    : TDisplaySubPage(context, parent), kind_(kind) {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(0, 0, 0, 0);
  auto* scroll = new QScrollArea(this);
  scroll->setFrameShape(QFrame::NoFrame);
  scroll->setWidgetResizable(true);
  outer->addWidget(scroll);
  auto* inner = new QWidget(scroll);
  auto* grid = new QGridLayout(inner);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->setHorizontalSpacing(4);
  grid->setVerticalSpacing(2);
  const int count = preview::ScreenCount(kind);
  // Eight screens (graphs, arrows) stand in two rows of four, at 7/8 of the
  // MK's size: three rows would not fit the editor on a 1280 × 720 screen.
  const bool eight = count > 6;
  const int columns = eight ? 4 : 3;
  for (int n = 0; n < count; ++n) {
    const int row = (n / columns) * 2, col = n % columns;
    // Every screen is captioned, the lone x6 too ("#1", as "Разное" names it):
    // the caption carries the screen's changed mark.
    captions_.push_back(new QLabel(QStringLiteral("#%1").arg(n + 1), inner));
    grid->addWidget(captions_.back(), row, col);
    auto* box = new TPreviewBox(kind, n, inner);
    box->setObjectName(BoxName(kind, n));
    if (eight) box->SetShownSize(QSize(preview::kScreenWidth, preview::kScreenHeight) * 7 / 8);
    grid->addWidget(box, row + 1, col);
    connect(box, &TPreviewBox::PlaceClicked, this, &TScreensSubPage::OpenMenu);
    boxes_.push_back(box);
  }
  grid->setRowStretch(grid->rowCount(), 1);
  grid->setColumnStretch(columns, 1);
  scroll->setWidget(inner);
}

void TScreensSubPage::Fill() {
  const std::size_t set = settings::ColorSetIndex(Mk());
  for (TPreviewBox* box : boxes_) box->Redraw(Mk(), set);
}

void TScreensSubPage::AddMarks(TChangedMarks& marks) {
  // A screen's caption stands for its places, which the preview only draws.
  for (std::size_t n = 0; n < captions_.size(); ++n) {
    marks.Add(captions_[n],
              [this, n] { return settings::ScreenSettings(kind_, static_cast<int>(n)); });
  }
}

void TScreensSubPage::OpenMenu(int screen, int place, QPoint global) {
  context_hit_ = settings::PlaceHit{kind_, screen, place};
  context_point_ = global;
  const std::uint8_t current =
      preview::PlaceCode(Mk().Rec(device::BlockId::Display), kind_, screen, place);
  // A new menu each time: the list depends on the kind of place and the protocol.
  if (menu_ != nullptr) menu_->deleteLater();
  menu_ = new QMenu(this);
  menu_->setObjectName("pmParams");
  for (const catalog::ChoiceItem& item :
       settings::PlaceMenu(Mk().Catalogues(), kind_, place, current)) {
    QAction* action = menu_->addAction(widgets::Q(item.name));
    action->setCheckable(true);
    action->setChecked(item.checked);
    const std::uint8_t code = item.code;
    connect(action, &QAction::triggered, this, [this, code] {
      const settings::PlaceHit hit = context_hit_;
      Change([this, hit, code] { settings::ChoosePlaceCode(Mk(), hit, code); });
    });
  }
  menu_->popup(context_point_);
}

}  // namespace mk::editor
