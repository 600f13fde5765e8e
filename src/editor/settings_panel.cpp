#include "editor/settings_panel.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "settings/setting_table.h"

namespace mk::editor {

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// One line of a group: a single setting, or the settings of a table row.
struct Line {
  std::string_view row;
  std::vector<const settings::Setting*> settings;
};

struct Group {
  std::string_view name;
  std::vector<Line> lines;
  std::vector<std::string_view> columns;  // headings of its table rows
  std::size_t next = 0;                   // first line not yet laid out
};

std::vector<Group> GroupsOf(settings::Page page) {
  std::vector<Group> groups;
  for (const settings::Setting* s : settings::SettingsOf(page)) {
    auto it = std::ranges::find(groups, s->group, &Group::name);
    if (it == groups.end()) {
      groups.push_back({s->group, {}, {}, 0});
      it = groups.end() - 1;
    }
    if (!s->row.empty() && !it->lines.empty() && it->lines.back().row == s->row) {
      it->lines.back().settings.push_back(s);
    } else {
      it->lines.push_back({s->row, {s}});
    }
    // A text that names its row stands in the row label's place, not in a column.
    if (!s->column.empty() && !s->names_row &&
        std::ranges::find(it->columns, s->column) == it->columns.end()) {
      it->columns.push_back(s->column);
    }
  }
  return groups;
}

}  // namespace

TSettingsPanel::TSettingsPanel(TEditorContext& context, settings::Page page,
                               const PanelColumns& columns, int caption_width, QWidget* parent)
    : QWidget(parent), context_(context) {
  auto groups = GroupsOf(page);
  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(4, 4, 4, 4);
  outer->setSpacing(6);
  for (const auto& column : columns) {
    auto* stack = new QVBoxLayout;
    stack->setSpacing(6);
    for (const GroupSlice& slice : column) {
      const auto it = std::ranges::find(groups, slice.group, &Group::name);
      if (it == groups.end()) continue;
      Group& group = *it;
      const std::size_t end =
          slice.rows < 0
              ? group.lines.size()
              : std::min(group.lines.size(), group.next + static_cast<std::size_t>(slice.rows));
      QWidget* box = group.name.empty() ? new QWidget(this) : new QGroupBox(Q(group.name), this);
      auto* grid = new QGridLayout(box);
      grid->setHorizontalSpacing(8);
      grid->setVerticalSpacing(3);
      if (group.name.empty()) grid->setContentsMargins(0, 0, 0, 0);
      int r = 0;
      const bool table = !group.columns.empty();
      const int width = table ? 1 + static_cast<int>(group.columns.size()) : 2;
      // Headings the group's own title already spells out are not repeated.
      const bool headings = table && !std::ranges::all_of(group.columns, [&](std::string_view c) {
                              return group.name.find(c) != std::string_view::npos;
                            });
      if (headings) {
        for (std::size_t c = 0; c < group.columns.size(); ++c) {
          auto* heading = new QLabel(Q(group.columns[c]), box);
          grid->addWidget(heading, r, 1 + static_cast<int>(c));
        }
        ++r;
      }
      for (; group.next < end; ++group.next, ++r) {
        const Line& line = group.lines[group.next];
        if (!line.row.empty() && table) {
          const bool named = std::ranges::any_of(line.settings, &settings::Setting::names_row);
          TableRow row{named ? nullptr : new QLabel(Q(line.row), box), {}};
          if (row.label != nullptr) grid->addWidget(row.label, r, 0);
          for (const settings::Setting* s : line.settings) {
            auto control = TBoundControl::Make(context_, *s, box, true);
            const auto col = std::ranges::find(group.columns, s->column) - group.columns.begin();
            grid->addWidget(control->Widget(), r, s->names_row ? 0 : 1 + static_cast<int>(col));
            row.members.push_back(control.get());
            controls_.push_back(std::move(control));
          }
          rows_.push_back(row);
          continue;
        }
        const settings::Setting* s = line.settings.front();
        auto control = TBoundControl::Make(context_, *s, box, false);
        if (control->Label() != nullptr) {
          grid->addWidget(control->Label(), r, 0);
          grid->addWidget(control->Widget(), r, 1, 1, width - 1, Qt::AlignLeft);
        } else {
          grid->addWidget(control->Widget(), r, 0, 1, width);
        }
        controls_.push_back(std::move(control));
      }
      grid->setColumnStretch(width, 1);
      stack->addWidget(box);
    }
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
