// SPDX-License-Identifier: GPL-3.0-or-later
// The changed-value count after random edits through every kind of control,
// bound or drawn by hand, equals the settings the core finds changed between
// the opening image and the edited one, and every changed byte belongs to one
// of them: no control edits the image behind the settings table's back. The
// bold marks of the settings drawn by hand name the same settings.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

#include <functional>
#include <random>
#include <set>

#include "editor/display_colors_page.h"
#include "editor/display_hot_menus_page.h"
#include "editor/display_page.h"
#include "editor/display_preview_box.h"
#include "editor/display_screens_page.h"
#include "editor_fixture.h"
#include "settings/changed_settings.h"
#include "settings/edited_blocks.h"
#include "settings/setting_table.h"

namespace mk::editor::test {
namespace {

class ChangedCountTest : public EditorTest {
 protected:
  // One random edit through a random widget of each kind, as the widget's own signals carry it.
  void EditSomething(std::mt19937& random) {
    // On a random page and sub-page, as a user moves around.
    for (auto* tabs : dialog->findChildren<QTabWidget*>()) {
      if (tabs->count() > 0) tabs->setCurrentIndex(static_cast<int>(random() % 11) % tabs->count());
    }
    const auto pick = [&](auto list) -> decltype(list.value(0)) {
      list.removeIf([](QWidget* w) {
        return !w->isEnabled() || !w->isVisible() ||
               w->objectName() == "cbProtocol";  // a protocol change is its own test
      });
      if (list.isEmpty()) return nullptr;
      return list[static_cast<qsizetype>(random() % static_cast<unsigned>(list.size()))];
    };
    // One of the settings drawn in shared grids and previews, with its sub-page
    // shown first: on a random sub-page they would seldom be in reach.
    const auto pick_drawn = [&](auto list) -> decltype(list.value(0)) {
      if (list.isEmpty()) return nullptr;
      auto* w = list[static_cast<qsizetype>(random() % static_cast<unsigned>(list.size()))];
      ShowPageOf(w);
      return w->isVisible() ? w : nullptr;
    };
    auto* colors = static_cast<TColorsSubPage*>(
        static_cast<TDisplayPage*>(dialog->PageOf(settings::Page::Display))
            ->SubPageContent(settings::DisplayPage::Colors));
    switch (random() % 12) {
      case 0:
        if (auto* box = pick(dialog->findChildren<QCheckBox*>())) box->click();
        break;
      case 1:
        if (auto* radio = pick(dialog->findChildren<QRadioButton*>())) radio->click();
        break;
      case 2:
        if (auto* spin = pick(dialog->findChildren<QSpinBox*>())) {
          spin->setValue(spin->minimum() +
                         static_cast<int>(random() % static_cast<unsigned>(spin->maximum() -
                                                                           spin->minimum() + 1)));
          emit spin->editingFinished();
        }
        break;
      case 3:
        if (auto* spin = pick(dialog->findChildren<QDoubleSpinBox*>())) {
          std::uniform_real_distribution<double> v(spin->minimum(), spin->maximum());
          spin->setValue(v(random));
          emit spin->editingFinished();
        }
        break;
      case 4:
        if (auto* combo = pick(dialog->findChildren<QComboBox*>()); combo && combo->count() > 0) {
          const int index = static_cast<int>(random() % static_cast<unsigned>(combo->count()));
          combo->setCurrentIndex(index);
          emit combo->activated(index);
        }
        break;
      case 5:
        if (auto* date = pick(dialog->findChildren<QDateEdit*>())) {
          date->setDate(date->minimumDate().addDays(static_cast<int>(random() % 5000)));
          emit date->editingFinished();
        }
        break;
      case 6:
        if (auto* line = pick(dialog->findChildren<QLineEdit*>());
            line && line->parent() != nullptr && !line->parent()->inherits("QAbstractSpinBox") &&
            !line->objectName().isEmpty()) {
          line->setText(line->inputMask().isEmpty() ? QString::fromUtf8("Т%1").arg(random() % 100)
                                                    : QString("%1:%2")
                                                          .arg(random() % 24, 2, 10, QChar('0'))
                                                          .arg(random() % 60, 2, 10, QChar('0')));
          emit line->editingFinished();
        }
        break;
      case 7:  // a double click in the blocks grids
        if (auto* grid = pick(
                dialog->findChildren<QTableWidget*>(QRegularExpression("^sg(All|Used)Blocks$")));
            grid && grid->rowCount() > 1) {
          emit grid->cellDoubleClicked(
              1 + static_cast<int>(random() % static_cast<unsigned>(grid->rowCount() - 1)), 0);
        }
        break;
      case 8:  // a parameter chosen from a preview's menu
        if (auto* box =
                pick_drawn(dialog->findChildren<TPreviewBox*>(QRegularExpression("^pbDisp")))) {
          const int screen = box->objectName().section('_', 1).toInt();
          emit box->PlaceClicked(screen, static_cast<int>(random() % 2), QPoint(5, 5));
          QWidget* page = box;  // the menu of the box's own sub-page
          while (qobject_cast<TScreensSubPage*>(page) == nullptr) page = page->parentWidget();
          TriggerSome(random, static_cast<TScreensSubPage*>(page)->ParamMenu());
        }
        break;
      case 9:  // a hot-menu row dragged, or deleted from its menu
        if (auto* grid = pick(dialog->findChildren<THotMenuGrid*>())) {
          const int list = grid->objectName().back().digitValue();
          const int row = static_cast<int>(random() % 10);
          if (random() % 3 == 0) {
            emit grid->RowDragged(list, row, static_cast<int>(random() % 10));
          } else {
            emit grid->RowMenuRequested(list, row, QPoint(5, 5));
            const bool insert = random() % 2 == 0;
            TriggerSome(random, "pmHotMenu", insert ? 0 : 1);  // "Вставить пункт", "Удалить пункт"
            if (insert) TriggerSome(random, "pmInsert");
          }
        }
        break;
      case 10:  // a colour of a grid row: a palette colour, or an element's palette index
        if (auto* grid = pick_drawn(dialog->findChildren<QTableWidget*>(
                QRegularExpression("^sg(Palette|(Digit|Menu|Graph|Arrow)Colors)$")))) {
          const int row = static_cast<int>(random() % static_cast<unsigned>(grid->rowCount()));
          grid->setCurrentCell(row, 0);
          emit grid->cellPressed(row, 0);
          QSpinBox* editor = colors->Channel(static_cast<int>(random() % 3));
          for (auto g : {settings::ElementGroup::Digits, settings::ElementGroup::Menu,
                         settings::ElementGroup::Graphs, settings::ElementGroup::Arrows}) {
            if (colors->ElementGrid(g) == grid) editor = colors->ElementEditor(g);
          }
          editor->setValue(
              static_cast<int>(random() % static_cast<unsigned>(editor->maximum() + 1)));
        }
        break;
      case 11:  // another scheme, or the working colours copied over the user's
        if (random() % 4 == 0) {
          Find<QPushButton>("bCopyToUser")->click();
        } else if (auto* radio = pick_drawn(colors->Schemes()->buttons())) {
          radio->click();
        }
        break;
    }
  }

  // Shows the page and sub-pages `w` sits on.
  void ShowPageOf(QWidget* w) {
    for (; w != nullptr; w = w->parentWidget()) {
      QWidget* stack = w->parentWidget();
      if (auto* tabs = qobject_cast<QTabWidget*>(stack ? stack->parentWidget() : nullptr)) {
        if (tabs->indexOf(w) >= 0) tabs->setCurrentWidget(w);
      }
    }
  }

  // Where a mark that stands for `names` shows bold, and should not, or the reverse.
  struct Marks {
    const std::set<std::string_view>& changed;
    std::set<std::string_view> named;  // every setting some mark stands for
    std::vector<std::string> wrong;
    void Check(const std::string& where, bool bold, const std::vector<std::string>& names) {
      bool any = false;
      for (const std::string& name : names) {
        const settings::Setting* s = settings::FindSetting(name);
        ASSERT_NE(s, nullptr) << name;
        named.insert(s->name);
        any = any || changed.contains(s->name);
      }
      if (bold != any) wrong.push_back(where + (bold ? " bold" : " not bold"));
    }
  };

  // The marks of the settings drawn by hand, found on the widgets by the
  // settings' names as the table builds them; empty when every mark is right
  // and every changed setting drawn by hand has one.
  std::vector<std::string> WrongMarks(const std::set<std::string_view>& changed) {
    Marks marks{changed, {}, {}};
    auto* display = static_cast<TDisplayPage*>(dialog->PageOf(settings::Page::Display));
    auto* colors =
        static_cast<TColorsSubPage*>(display->SubPageContent(settings::DisplayPage::Colors));
    const std::string set = std::to_string(settings::ColorSetIndex(mk));
    const std::string other = set == "0" ? "1" : "0";
    const auto rows = [](const QTableWidget* grid, const std::string& prefix) {
      std::vector<std::string> names;
      for (int r = 0; r < grid->rowCount(); ++r) names.push_back(prefix + std::to_string(r));
      return names;
    };
    // Grid rows: the set shown; the scheme group: the scheme and the other set.
    std::vector<std::string> scheme = {"rgColorScheme", "ColorSchemeLoaded"};
    for (auto* grid : dialog->findChildren<QTableWidget*>(
             QRegularExpression("^sg(Palette|(Digit|Menu|Graph|Arrow)Colors)$"))) {
      const std::string name = grid->objectName().toStdString() + "_";
      const auto shown = rows(grid, name + set + "_");
      for (int r = 0; r < grid->rowCount(); ++r) {
        const std::string& row = shown[static_cast<std::size_t>(r)];
        marks.Check(row, grid->item(r, 0)->font().bold(), {row});
      }
      for (const std::string& row : rows(grid, name + other + "_")) scheme.push_back(row);
    }
    marks.Check("rgColorScheme", colors->SchemeBox()->font().bold(), scheme);
    // Screen captions: the places of their screen (an x3 screen shows x7 places).
    for (auto* page : display->findChildren<TScreensSubPage*>()) {
      using preview::ScreenKind;
      const ScreenKind kind = page->Kind();
      const std::string tag = std::string("497-6GA").substr(
          static_cast<int>(kind == ScreenKind::X3 ? ScreenKind::X7 : kind), 1);
      for (QLabel* caption : page->findChildren<QLabel*>()) {
        const int screen = caption->text().mid(1).toInt() - 1;
        std::vector<std::string> places;
        for (int p = 0; p < preview::PlaceCount(kind); ++p)
          places.push_back("pbDisp" + tag + "_" + std::to_string(screen) + "_" + std::to_string(p));
        marks.Check(caption->text().toStdString() + " " + std::string(preview::KindName(kind)),
                    caption->font().bold(), places);
      }
    }
    // Settings drawn on a widget of their own name.
    for (const settings::Setting& s : settings::AllSettings()) {
      auto* w = dialog->findChild<QWidget*>(QString::fromUtf8(s.name));
      if (!s.hand_drawn || w == nullptr || s.name == "rgColorScheme") continue;
      marks.Check(std::string(s.name), w->font().bold(), {std::string(s.name)});
    }
    for (std::string_view name : changed) {
      const settings::Setting* s = settings::FindSetting(name);
      if (s->hand_drawn && !marks.named.contains(name)) {
        marks.wrong.push_back(std::string(name) + " changed, no mark");
      }
    }
    return marks.wrong;
  }

  // Chooses an action of the popup menu just opened (a random one, or `index`), and closes it.
  void TriggerSome(std::mt19937& random, const char* menu_name, int index = -1) {
    TriggerSome(random, dialog->findChild<QMenu*>(menu_name), index);
  }
  void TriggerSome(std::mt19937& random, QMenu* menu, int index = -1) {
    if (menu == nullptr) return;
    // Items of submenus too: the insert menu nests its items.
    QList<QAction*> actions;
    std::function<void(QMenu*)> collect = [&](QMenu* m) {
      for (QAction* a : m->actions()) {
        if (a->menu() != nullptr) {
          collect(a->menu());
        } else if (!a->isSeparator()) {
          actions.push_back(a);
        }
      }
    };
    collect(menu);
    if (!actions.isEmpty()) {
      const auto at = index >= 0 ? index : static_cast<int>(random() % actions.size());
      actions[at]->trigger();
    }
    menu->close();
  }
};

TEST_F(ChangedCountTest,
       CountAndMarksNameTheSettingsTheCoreFindsChangedWhichCoverEveryChangedByte) {
  Load();
  Show();
  const device::TMK opened = mk;  // after the opening sequence, as the count's baseline
  std::mt19937 random(20261208);
  std::set<settings::Kind> kinds;  // of the settings changed at the end of some round
  for (int round = 0; round < 8; ++round) {
    for (int edit = 0; edit < 150; ++edit) EditSomething(random);
    const auto changed = settings::ChangedSettings(opened, mk);
    ASSERT_EQ(dialog->ChangedCount(), static_cast<int>(changed.size())) << "round " << round;
    std::set<std::string_view> names;
    for (const settings::Setting* s : changed) {
      names.insert(s->name);
      kinds.insert(s->kind);
    }
    for (const std::string& wrong : WrongMarks(names))
      ADD_FAILURE() << wrong << ", round " << round;
    std::set<std::pair<device::BlockId, std::string_view>> fields;
    for (const settings::Setting* s : changed) fields.emplace(s->block, s->field);
    for (device::BlockId block : settings::kEditedBlocks) {
      const auto& was = opened.Rec(block).Bytes();
      const auto& now = mk.Rec(block).Bytes();
      for (std::size_t at = 0; at < was.size(); ++at) {
        if (was[at] == now[at]) continue;
        const auto& def = device::BlockDefOf(block);
        const auto covered = std::ranges::any_of(fields, [&](const auto& f) {
          if (f.first != block) return false;
          const device::FieldDef& field = mk.Rec(block).Field(f.second);
          return at >= field.offset && at < field.offset + field.Size();
        });
        EXPECT_TRUE(covered) << def.name << " byte " << at << " changed by no changed setting";
      }
    }
  }
  // Edits reached every kind of setting, the hand-drawn ones included.
  using enum settings::Kind;
  for (settings::Kind kind :
       {Spin, Radio, Combo, Check, FlagBit, Time, Date, Text, Param, Color, HotMenu, BlockList}) {
    EXPECT_TRUE(kinds.contains(kind))
        << "no edit changed a setting of kind " << static_cast<int>(kind);
  }
}

}  // namespace
}  // namespace mk::editor::test
