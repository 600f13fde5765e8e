// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/settings_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "settings/setting_table.h"
#include "widgets/qt_text.h"

namespace mk::editor {

using widgets::Q;

TSettingsPanel::TSettingsPanel(TEditorContext& context, settings::Page page, QWidget* parent)
    : TSettingsPanel(context, page, settings::LayoutOf(page).columns,
                     settings::LayoutOf(page).caption_width, parent) {}

TSettingsPanel::TSettingsPanel(TEditorContext& context, settings::Page page,
                               const PanelColumns& columns, int caption_width, QWidget* parent)
    : QWidget(parent), context_(context) {
  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(4, 4, 4, 4);
  outer->setSpacing(6);
  for (const auto& column : settings::PlaceSettings(page, columns)) {
    auto* stack = new QVBoxLayout;
    stack->setSpacing(6);
    for (const settings::PlacedSlice& slice : column) stack->addWidget(BuildSlice(slice));
    stack->addStretch(1);
    // Columns as wide as their controls need; what is left stays at the right.
    outer->addLayout(stack);
  }
  outer->addStretch(1);
  for (const auto& control : controls_) {
    control->SetCaptionWidth(caption_width);
    connect(control.get(), &TBoundControl::Committed, this, [this] { UpdateVisibility(); });
  }
}

QWidget* TSettingsPanel::BuildSlice(const settings::PlacedSlice& slice) {
  QWidget* box = slice.group.empty() ? new QWidget(this) : new QGroupBox(Q(slice.group), this);
  auto* grid = new QGridLayout(box);
  const auto& headings = slice.headings;
  const bool table = !headings.empty();
  // A table's columns of radio buttons stand apart from each other, or the
  // last choice of one reads as the first of the next.
  grid->setHorizontalSpacing(table ? 20 : 8);
  grid->setVerticalSpacing(3);
  if (slice.group.empty()) grid->setContentsMargins(0, 0, 0, 0);
  int r = 0;
  const int width = table ? 1 + static_cast<int>(headings.size()) : 2;
  // Headings the group's own title already spells out are not repeated.
  const bool shown_headings = table && !std::ranges::all_of(headings, [&](std::string_view c) {
                                return slice.group.find(c) != std::string_view::npos;
                              });
  if (shown_headings) {
    for (std::size_t c = 0; c < headings.size(); ++c) {
      auto* heading = new QLabel(Q(headings[c]), box);
      grid->addWidget(heading, r, 1 + static_cast<int>(c));
    }
    ++r;
  }
  for (const settings::PlacedLine& line : slice.lines) {
    if (!line.row.empty() && table) {
      AddTableLine(slice, line, grid, r);
    } else {
      AddLine(line, width, grid, r);
    }
    ++r;
  }
  grid->setColumnStretch(width, 1);
  return box;
}

void TSettingsPanel::AddTableLine(const settings::PlacedSlice& slice,
                                  const settings::PlacedLine& line, QGridLayout* grid, int r) {
  QWidget* box = grid->parentWidget();
  const auto& headings = slice.headings;
  const bool named = std::ranges::any_of(line.settings, &settings::Setting::names_row);
  TableRow row{named ? nullptr : new QLabel(Q(line.row), box), {}};
  if (row.label != nullptr) grid->addWidget(row.label, r, 0);
  for (const settings::Setting* s : line.settings) {
    auto control = TBoundControl::Make(context_, *s, box, true);
    const auto col = std::ranges::find(headings, s->column) - headings.begin();
    grid->addWidget(control->Widget(), r, s->names_row ? 0 : 1 + static_cast<int>(col));
    row.members.push_back(control.get());
    controls_.push_back(std::move(control));
  }
  rows_.push_back(row);
}

void TSettingsPanel::AddLine(const settings::PlacedLine& line, int width, QGridLayout* grid,
                             int r) {
  const settings::Setting* s = line.settings.front();
  auto control = TBoundControl::Make(context_, *s, grid->parentWidget(), false);
  if (control->Label() != nullptr) {
    grid->addWidget(control->Label(), r, 0);
    grid->addWidget(control->Widget(), r, 1, 1, width - 1, Qt::AlignLeft);
  } else {
    grid->addWidget(control->Widget(), r, 0, 1, width);
  }
  controls_.push_back(std::move(control));
}

void TSettingsPanel::Fill() {
  const settings::Env env = settings::Env::Of(context_.Mk());
  for (const auto& control : controls_) control->Fill(env);
  UpdateVisibility();
}

void TSettingsPanel::UpdateVisibility() {
  const settings::Env env = settings::Env::Of(context_.Mk());
  for (const auto& control : controls_) control->ApplyVisibility(env);
  for (const TableRow& row : rows_) {
    if (row.label == nullptr) continue;
    row.label->setVisible(std::ranges::any_of(row.members, &TBoundControl::IsShown));
  }
}

bool TSettingsPanel::CommitPending() {
  for (const auto& control : controls_) {
    if (control->IsShown() && !control->CommitPending()) return false;
  }
  return true;
}

TBoundControl* TSettingsPanel::Control(std::string_view name) const {
  for (const auto& control : controls_) {
    if (control->Def().name == name) return control.get();
  }
  return nullptr;
}

}  // namespace mk::editor
