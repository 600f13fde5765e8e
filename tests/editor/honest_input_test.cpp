// SPDX-License-Identifier: GPL-3.0-or-later
// What the editor shows is what will be stored: values a protocol change
// puts out of range, typed values that do not fit, the question before edits
// are thrown away, and marks that leave the layout alone.
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QToolTip>

#include <functional>
#include <utility>
#include <vector>

#include "editor/display_preview_box.h"
#include "editor_fixture.h"
#include "settings/lists.h"

namespace mk::editor::test {
namespace {

using device::BlockId;

class HonestInputTest : public EditorTest {
 protected:
  // Leaving the control: the search field takes the focus.
  void Leave() {
    dialog->SearchField()->setFocus();
    QApplication::processEvents();
  }
  void Activate() {
    dialog->activateWindow();
    QApplication::setActiveWindow(dialog.get());
    QApplication::processEvents();
  }
  // The first protocol entry whose hybrid capability is `hybrid`.
  int ProtocolWith(bool hybrid) {
    const auto& items = mk.Catalogues().Protocols().Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
      if (items[i].Capabilities.HybridDrive == hybrid) return static_cast<int>(i);
    }
    return -1;
  }
};

TEST_F(HonestInputTest, ProtocolChangeAsksAndStoresOutOfRangeValuesAsAnUndoableChange) {
  Load(99, 0);
  auto& info = mk.Rec(BlockId::ServiceInfo);
  const auto methods = settings::ProtocolSelectItems(mk.Catalogues().Variant().features);
  info.SetInt("ProtocolSelectMeth", static_cast<std::int64_t>(methods.size()) - 1);  // "Руч."
  const int plain = ProtocolWith(false), hybrid = ProtocolWith(true);
  ASSERT_GE(plain, 0);
  ASSERT_GE(hybrid, 0);
  info.SetInt("Protocol", plain);
  mk.RebuildCatalogues(device::CatalogueStep::Protocols);
  mk.Rec(BlockId::Limits).SetInt("VentTempLimit", 115);
  Show();
  Activate();
  prompt.answers = {true};
  auto* protocol = Find<QComboBox>("cbProtocol");
  protocol->setCurrentIndex(hybrid);
  emit protocol->activated(hybrid);
  ASSERT_EQ(prompt.questions.size(), 1u);
  const QString question = QString::fromStdString(prompt.questions[0]);
  EXPECT_TRUE(question.contains(QString::fromUtf8("«Т вкл. вентилятора, С»: 115 → 60")))
      << prompt.questions[0];
  auto* vent = Find<QDoubleSpinBox>("seVentTempLimit");
  EXPECT_EQ(mk.Rec(BlockId::Limits).GetInt("VentTempLimit"), 60);
  EXPECT_EQ(vent->value(), 60);
  EXPECT_FALSE(vent->property("outOfRange").toBool());
  const int counted = dialog->ChangedCount();
  // Undone, the stored value is back and shown as stored, marked, its range named.
  QTest::keyClick(dialog.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(mk.Rec(BlockId::Limits).GetInt("VentTempLimit"), 115);
  EXPECT_EQ(vent->value(), 115);
  EXPECT_LT(dialog->ChangedCount(), counted);
  EXPECT_TRUE(vent->property("outOfRange").toBool());
  EXPECT_TRUE(vent->toolTip().contains(QString::fromUtf8("25 … 60")))
      << vent->toolTip().toStdString();
  // A refused question stores nothing.
  prompt.answers = {false};
  protocol->setCurrentIndex(plain);
  emit protocol->activated(plain);
  protocol->setCurrentIndex(hybrid);
  emit protocol->activated(hybrid);
  EXPECT_EQ(mk.Rec(BlockId::Limits).GetInt("VentTempLimit"), 115);
  EXPECT_EQ(vent->value(), 115);
}

TEST_F(HonestInputTest, TypedValuesThatDoNotFitRaiseARangeErrorAndKeepThePreviousValue) {
  Load();
  mk.Rec(BlockId::Display).SetInt("IntenseDayTime", 8 * 60);
  Show();
  Activate();
  struct Case {
    const char* control;
    const char* typed;
    const char* message;
  };
  const Case cases[] = {
      {"seVelocityCorr", "1500", "«Скорость, %» должно быть от -99.0 до 999.9"},
      {"seRevolutionsLimit", "90", "«Обороты двиг., об/мин * 100» должно быть от 25 до 80"},
      {"meIntenseDayTime", "2599", "«Врем вкл. ДНЕВНОЙ яркости» должно быть от 00:00 до 23:59"},
      {"deTO", "01.01.10", "«Дата след.ТО» должна быть от 10.10.11"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    ASSERT_TRUE(dialog->GoToSetting(c.control));
    auto* control = Find<QWidget>(c.control);
    const auto image = mk.Image();
    auto* edit = control->findChild<QLineEdit*>();
    if (edit == nullptr) edit = qobject_cast<QLineEdit*>(control);
    const QString before = edit->text();
    prompt.errors.clear();
    Type(control, QString::fromUtf8(c.typed));
    Leave();
    ASSERT_EQ(prompt.errors.size(), 1u);
    EXPECT_TRUE(QString::fromStdString(prompt.errors[0]).contains(QString::fromUtf8(c.message)))
        << prompt.errors[0];
    EXPECT_EQ(edit->text(), before);
    EXPECT_EQ(mk.Image(), image);
  }
}

TEST_F(HonestInputTest, InputTheControlCannotTakeIsRefusedWithAReason) {
  Load();
  Show();
  Activate();
  auto* spin = Find<QDoubleSpinBox>("seRevolutionsLimit");
  for (const char* typed : {"5x", "123456"}) {
    QToolTip::hideText();
    Type(spin, QString::fromUtf8(typed));
    EXPECT_FALSE(QToolTip::text().isEmpty()) << typed;
  }
}

TEST_F(HonestInputTest, DiscardingChangesAsksFirstAndNoReturnsToTheEditor) {
  Load();
  Show();
  dialog->reject();
  EXPECT_TRUE(prompt.questions.empty());
  Show();
  Find<QCheckBox>("cbTripJournAuto")->click();
  Find<QCheckBox>("cbTripShowFlag")->click();
  prompt.answers = {false};
  QTest::mouseClick(dialog->CancelButton(), Qt::LeftButton);
  ASSERT_EQ(prompt.questions.size(), 1u);
  EXPECT_EQ(prompt.questions[0], "Отменить изменения (2)?");
  EXPECT_TRUE(dialog->isVisible());
  prompt.answers = {true};
  dialog->close();
  EXPECT_EQ(prompt.questions.size(), 2u);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  // Enter in a spin edit is OK: it keeps the edits and asks nothing.
  Show();
  Activate();
  auto* spin = Find<QDoubleSpinBox>("seVelocityCorr");
  Type(spin, "5");
  QTest::keyClick(spin, Qt::Key_Return);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(prompt.questions.size(), 2u);
}

TEST_F(HonestInputTest, AChangedMarkMovesNoWidget) {
  Load();
  Show();
  // A caption in its own widget, a caption beside a spin edit, a screen's
  // caption over its preview, and the colour scheme group.
  const std::vector<std::pair<const char*, std::function<void()>>> edits = {
      {"cbTripJournAuto", [&] { Find<QCheckBox>("cbTripJournAuto")->click(); }},
      {"seTankLimit",
       [&] {
         auto* spin = Find<QDoubleSpinBox>("seTankLimit");
         spin->setValue(spin->value() + 1);
         emit spin->editingFinished();
       }},
      {"pbDisp4_1_0",
       [&] {
         auto* box = Find<TPreviewBox>("pbDisp4_1");
         emit box->PlaceClicked(1, 0, QPoint(5, 5));
         auto* menu = Find<QMenu>("pmParams");  // the only one opened
         for (QAction* action : menu->actions()) {
           if (!action->isChecked()) {
             action->trigger();
             break;
           }
         }
         menu->hide();
       }},
      {"rgColorScheme", [&] { Find<QPushButton>("bCopyToUser")->click(); }},
  };
  for (const auto& [setting, edit] : edits) {
    ASSERT_TRUE(dialog->GoToSetting(setting)) << setting;
    QApplication::processEvents();
    const auto geometries = [&] {
      std::vector<QRect> all;
      for (auto* w : dialog->findChildren<QWidget*>()) {
        if (w->isVisible() && w->isWindow() == false) all.push_back(w->geometry());
      }
      return all;
    };
    const auto before = geometries();
    const int count = dialog->ChangedCount();
    edit();
    QApplication::processEvents();
    EXPECT_GT(dialog->ChangedCount(), count) << setting;
    EXPECT_EQ(geometries(), before) << setting;
  }
}

}  // namespace
}  // namespace mk::editor::test
