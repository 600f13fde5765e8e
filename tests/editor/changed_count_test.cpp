// The changed-value count after random edits through every kind of control,
// bound or drawn by hand, equals the settings the core finds changed between
// the opening image and the edited one, and every changed byte belongs to one
// of them: no control edits the image behind the settings table's back.
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

#include <random>
#include <set>

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
    switch (random() % 7) {
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
    }
  }
};

TEST_F(ChangedCountTest, CountEqualsTheSettingsTheCoreFindsChangedAndCoversEveryChangedByte) {
  Load();
  Show();
  const device::TMK opened = mk;  // after the opening sequence, as the count's baseline
  std::mt19937 random(20261208);
  for (int round = 0; round < 4; ++round) {
    for (int edit = 0; edit < 60; ++edit) EditSomething(random);
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
  EXPECT_GT(dialog->ChangedCount(), 20);
}

}  // namespace
}  // namespace mk::editor::test
