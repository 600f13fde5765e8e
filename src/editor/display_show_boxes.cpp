// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/display_show_boxes.h"

#include <QCheckBox>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "device/mk.h"
#include "widgets/qt_text.h"

namespace mk::editor {

TShowDisplayBoxes::TShowDisplayBoxes(TEditorContext& context, QWidget* parent)
    : QGroupBox(widgets::Q(settings::kShowDisplaysCaption), parent), context_(context) {
  setObjectName("gbShowDisp");
  Build(settings::ShowDisplayGroups(context_.Mk().Catalogues()));
  connect(&context_, &TEditorContext::Refilled, this, &TShowDisplayBoxes::Fill);
  connect(&context_, &TEditorContext::ProtocolChanged, this, &TShowDisplayBoxes::Fill);
}

void TShowDisplayBoxes::Build(const std::vector<settings::ShowGroup>& groups) {
  // Three columns: the numbered screens, the averages, the x1 screens.
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  // The numbered screens share one grid, each caption at the left of its
  // rows: group frames would not leave the rows their height on this page.
  auto* numbered_box = new QWidget(this);
  auto* numbered = new QGridLayout(numbered_box);
  numbered->setContentsMargins(0, 0, 0, 0);
  numbered->setHorizontalSpacing(2);
  numbered->setVerticalSpacing(2);
  auto* numbered_column = new QVBoxLayout;
  numbered_column->addWidget(numbered_box);
  numbered_column->addStretch();
  layout->addLayout(numbered_column);
  int numbered_row = 0;
  for (const settings::ShowGroup& g : groups) {
    const bool x1 = g.boxes_per_group > 0;
    const bool named = !x1 && g.boxes.size() == 9;  // the averages: one column
    if (!x1 && !named) {
      auto* caption = new QLabel(widgets::Q(g.caption), numbered_box);
      captions_.push_back([caption](const QString& text) { caption->setText(text); });
      numbered->addWidget(caption, numbered_row, 0);
      PlaceBoxes(g, numbered, numbered_row);
      numbered_row += static_cast<int>((g.boxes.size() + 3) / 4);
      continue;
    }
    auto* group = new QGroupBox(widgets::Q(g.caption), this);
    captions_.push_back([group](const QString& text) { group->setTitle(text); });
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setSpacing(2);
    PlaceBoxes(g, grid, 0);
    if (x1) {
      grid->setRowStretch(2, 1);
      layout->addWidget(group, 1);
    } else {
      auto* column = new QVBoxLayout;
      column->addWidget(group);
      column->addStretch();
      layout->addLayout(column);
    }
  }
}

void TShowDisplayBoxes::PlaceBoxes(const settings::ShowGroup& g, QGridLayout* grid, int first_row) {
  const bool x1 = g.boxes_per_group > 0;
  const bool named = !x1 && g.boxes.size() == 9;
  QGridLayout* target = grid;
  QWidget* holder = grid->parentWidget();
  for (std::size_t i = 0; i < g.boxes.size(); ++i) {
    const auto per = static_cast<std::size_t>(g.boxes_per_group);
    if (x1 && i % per == 0) {
      // The x1 boxes come in sub-groups "#1" ... "#8", four to a row.
      auto* sub = new QGroupBox(QStringLiteral("#%1").arg(i / per + 1), grid->parentWidget());
      target = new QGridLayout(sub);
      target->setContentsMargins(2, 0, 2, 0);
      target->setSpacing(0);
      holder = sub;
      x1_groups_.push_back(sub);
      const int n = static_cast<int>(i / per);
      grid->addWidget(sub, n / 4, n % 4, Qt::AlignTop);
    }
    QCheckBox* check = AddCheck(g.boxes[i], holder);
    const int index = static_cast<int>(i);
    if (x1) {
      target->addWidget(check, index % g.boxes_per_group, 0);
    } else if (named) {
      grid->addWidget(check, index, 0);
    } else {
      grid->addWidget(check, first_row + index / 4, 1 + index % 4);
    }
  }
}

QCheckBox* TShowDisplayBoxes::AddCheck(const settings::ShowBox& spec, QWidget* holder) {
  auto* check = new QCheckBox(widgets::Q(spec.caption), holder);
  check->setObjectName(widgets::Q(spec.object_name));
  const std::string field(spec.field);
  const int bit = spec.bit;
  connect(check, &QCheckBox::clicked, this, [this, field, bit](bool on) {
    if (setting_) return;
    context_.Change([this, field, bit, on] {
      settings::SetShowBit(context_.Mk().Rec(device::BlockId::Display), field, bit, on);
    });
  });
  boxes_.push_back(check);
  return check;
}

void TShowDisplayBoxes::Fill() {
  setting_ = true;
  const auto groups = settings::ShowDisplayGroups(context_.Mk().Catalogues());
  const device::Record& display = context_.Mk().Rec(device::BlockId::Display);
  std::size_t n = 0;
  for (std::size_t g = 0; g < groups.size(); ++g) {
    captions_[g](widgets::Q(groups[g].caption));
    for (const settings::ShowBox& spec : groups[g].boxes) {
      QCheckBox* check = boxes_[n++];
      check->setText(widgets::Q(spec.caption));
      check->setVisible(spec.shown);
      // A hidden box shows unchecked; its bit keeps what the image holds.
      check->setChecked(spec.shown && settings::ShowBit(display, spec.field, spec.bit));
    }
  }
  for (QGroupBox* sub : x1_groups_) {
    const auto checks = sub->findChildren<QCheckBox*>();
    sub->setVisible(std::any_of(checks.begin(), checks.end(),
                                [](const QCheckBox* c) { return !c->isHidden(); }));
  }
  setting_ = false;
}

}  // namespace mk::editor
