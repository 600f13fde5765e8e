// The changed-value count after random edits through every kind of control,
// bound or drawn by hand, equals the settings the core finds changed between
// the opening image and the edited one, and every changed byte belongs to one
// of them: no control edits the image behind the settings table's back.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

#include <functional>
#include <random>
#include <set>

#include "editor/display_hot_menus_page.h"
#include "editor/display_preview_box.h"
#include "editor_fixture.h"
#include "settings/changed_settings.h"
#include "settings/edited_blocks.h"

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
    switch (random() % 10) {
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
        if (auto* box = pick(dialog->findChildren<TPreviewBox*>())) {
          const int screen = box->objectName().section('_', 1).toInt();
          emit box->PlaceClicked(screen, static_cast<int>(random() % 2), QPoint(5, 5));
          TriggerSome(random, "pmParams");
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
    }
  }

  // Chooses an action of the popup menu just opened (a random one, or `index`), and closes it.
  void TriggerSome(std::mt19937& random, const char* menu_name, int index = -1) {
    auto* menu = dialog->findChild<QMenu*>(menu_name);
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

TEST_F(ChangedCountTest, CountEqualsTheSettingsTheCoreFindsChangedAndCoversEveryChangedByte) {
  Load();
  Show();
  const device::TMK opened = mk;  // after the opening sequence, as the count's baseline
  std::mt19937 random(20261208);
  for (int round = 0; round < 5; ++round) {
    for (int edit = 0; edit < 150; ++edit) EditSomething(random);
    const auto changed = settings::ChangedSettings(opened, mk);
    ASSERT_EQ(dialog->ChangedCount(), static_cast<int>(changed.size())) << "round " << round;
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
  std::set<settings::Kind> kinds;
  for (const settings::Setting* s : settings::ChangedSettings(opened, mk)) kinds.insert(s->kind);
  using enum settings::Kind;
  for (settings::Kind kind :
       {Spin, Radio, Combo, Check, FlagBit, Time, Date, Text, Param, Color, HotMenu, BlockList}) {
    EXPECT_TRUE(kinds.contains(kind))
        << "no edit changed a setting of kind " << static_cast<int>(kind);
  }
}

}  // namespace
}  // namespace mk::editor::test
