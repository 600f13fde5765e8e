// SPDX-License-Identifier: GPL-3.0-or-later
// Editing through the dialog: what OK keeps, what Cancel puts back, what a
// variant hides, the protocol box, undo and redo.
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "editor/bound_control.h"
#include "editor_fixture.h"
#include "settings/lists.h"

namespace mk::editor::test {
namespace {

using device::BlockId;

class EditingTest : public EditorTest {
 protected:
  void Activate() {
    dialog->activateWindow();
    QApplication::setActiveWindow(dialog.get());
    QApplication::processEvents();
  }
};

TEST_F(EditingTest, ATypedValueIsCommittedWhenOkIsClicked) {
  mk.ReplaceImage(1, FactoryImage());
  const bool ok = mk.EditSettings([&] {
    Show();
    Activate();
    Type(Find<QDoubleSpinBox>("seTimeCorr"), "17");
    QTest::mouseClick(dialog->OkButton(), Qt::LeftButton);
    return dialog->result() == QDialog::Accepted;
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(mk.Rec(BlockId::Limits).GetInt("TimeCorr"), 17);
  EXPECT_TRUE(prompt.errors.empty());
}

TEST_F(EditingTest, OkCommitsAValueStillBeingTypedEvenWithoutAFocusChange) {
  mk.ReplaceImage(1, FactoryImage());
  mk.EditSettings([&] {
    Show();
    Type(Find<QDoubleSpinBox>("seTankContFull"), "77");
    dialog->accept();
    return dialog->result() == QDialog::Accepted;
  });
  EXPECT_EQ(mk.Rec(BlockId::FuelSensor).GetInt("TankContFull"), 77);
}

TEST_F(EditingTest, CancelPutsBlocksOneToElevenBackByteForByte) {
  mk.ReplaceImage(1, FactoryImage());
  const auto image = mk.Image();
  const bool ok = mk.EditSettings([&] {
    Show();
    Type(Find<QDoubleSpinBox>("seVelocityCorr"), "5,5");
    Find<QDoubleSpinBox>("seVelocityCorr")->interpretText();
    dialog->PageOf(settings::Page::Limits)->WriteBack();
    dialog->PageOf(settings::Page::Corrections)->WriteBack();
    Find<QComboBox>("cbResetPeriod1")->activated(3);
    Find<QWidget>("rgPrognozMeth")->findChildren<QRadioButton*>().at(2)->click();
    prompt.answers = {true};
    dialog->reject();
    return dialog->result() == QDialog::Accepted;
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(mk.Image(), image);
  for (BlockId block : device::kSettingsBlocks) {
    device::TMK fresh;
    fresh.ReplaceImage(1, image);
    EXPECT_EQ(mk.Rec(block).Bytes(), fresh.Rec(block).Bytes()) << static_cast<int>(block);
  }
}

TEST_F(EditingTest, ANoGasVariantShowsNoGasControlAndKeepsTheGasFields) {
  auto image = FactoryImage(1);
  mk.ReplaceImage(5, image);  // "Базовый мини": NoGas
  mk.Rec(BlockId::FuelSensor).SetInt("GazContFull", 123);
  mk.StoreAll();
  const auto stored = mk.Image();
  const bool ok = mk.EditSettings([&] {
    Show();
    for (const char* name : {"seGazContFull", "rgGasMeth", "cbGasOil", "seGazExpenseCorr",
                             "sePriceGas", "cbResetPeriodOnly"}) {
      EXPECT_TRUE(Find<QWidget>(name)->isHidden()) << name;
    }
    dialog->accept();
    return true;
  });
  EXPECT_TRUE(ok);
  EXPECT_EQ(mk.Rec(BlockId::FuelSensor).GetInt("GazContFull"), 123);
  // Every record as read; the hot menus of "Дисплей" are compacted on opening by design.
  device::TMK before;
  before.ReplaceImage(5, stored);
  for (BlockId block : device::kSettingsBlocks) {
    if (block == BlockId::Display) continue;
    EXPECT_EQ(mk.Rec(block).Bytes(), before.Rec(block).Bytes()) << static_cast<int>(block);
  }
}

TEST_F(EditingTest, ChoosingAnotherProtocolClearsTheSubTypesAndRefillsTheirBoxes) {
  Load(99, 0);  // permissive
  auto& info = mk.Rec(BlockId::ServiceInfo);
  const auto methods = settings::ProtocolSelectItems(mk.Catalogues().Variant().features);
  info.SetInt("ProtocolSelectMeth", static_cast<std::int64_t>(methods.size()) - 1);  // "Руч."
  info.SetInt("ProtTypeMain", 1);
  info.SetInt("ProtTypeAdd1", 1);
  Show();
  auto* protocol = Find<QComboBox>("cbProtocol");
  ASSERT_TRUE(protocol->isHidden() == false);
  // An entry whose option groups differ from the current one's.
  const auto& items = mk.Catalogues().Protocols().Items();
  int other = -1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (static_cast<int>(i) != protocol->currentIndex() && !items[i].Groups[1].Caption.empty()) {
      other = static_cast<int>(i);
      break;
    }
  }
  ASSERT_GE(other, 0);
  protocol->setCurrentIndex(other);
  emit protocol->activated(other);
  EXPECT_EQ(info.GetInt("Protocol"), other);
  EXPECT_EQ(info.GetInt("ProtTypeMain"), 0);
  EXPECT_EQ(info.GetInt("ProtTypeAdd1"), 0);
  auto* add1 = Find<QComboBox>("cbProtTypeAdd1");
  EXPECT_TRUE(add1->isHidden() == false);
  ASSERT_EQ(add1->count(), static_cast<int>(items[other].Groups[1].Items.size()));
  EXPECT_EQ(add1->itemText(0).toStdString(), items[other].Groups[1].Items[0]);
  EXPECT_EQ(add1->currentIndex(), 0);
}

TEST_F(EditingTest, UndoAndRedoAcrossTwoPagesRestoreTheImageBytes) {
  Load();
  Show();
  const auto records = [&] {
    std::vector<std::vector<std::uint8_t>> all;
    for (BlockId block : device::kSettingsBlocks) all.push_back(mk.Rec(block).Bytes());
    return all;
  };
  const auto start = records();
  Type(Find<QDoubleSpinBox>("seTankLimit"), "31");
  dialog->PageOf(settings::Page::Limits)->WriteBack();
  const auto after_first = records();
  Find<QCheckBox>("cbTripShowFlag")->click();
  const auto after_second = records();
  ASSERT_NE(after_first, start);
  ASSERT_NE(after_second, after_first);
  EXPECT_EQ(dialog->ChangedCount(), 2);
  QTest::keyClick(dialog.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(records(), after_first);
  QTest::keyClick(dialog.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(records(), start);
  EXPECT_EQ(Find<QDoubleSpinBox>("seTankLimit")->value(), 10);
  EXPECT_EQ(dialog->ChangedCount(), 0);
  QTest::keyClick(dialog.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(dialog.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(records(), after_second);
  EXPECT_TRUE(Find<QCheckBox>("cbTripShowFlag")->isChecked());
}

TEST_F(EditingTest, EqualConverterValuesShowTheMessageOnceAndPutTheStoredValueBack) {
  Load();
  mk.Rec(BlockId::Service).SetInt("UniMeasADC0", 5);
  mk.Rec(BlockId::Service).SetInt("UniMeasADC1", 900);
  Show();
  auto* adc0 = Find<QDoubleSpinBox>("seUniMeasADC0");
  Type(adc0, "900");
  dialog->PageOf(settings::Page::UniMeas)->WriteBack();
  ASSERT_EQ(prompt.errors.size(), 1u);
  EXPECT_EQ(prompt.errors[0], "Значения АЦП Мин и Макс должны различаться.");
  EXPECT_EQ(adc0->value(), 5);
  EXPECT_EQ(mk.Rec(BlockId::Service).GetInt("UniMeasADC0"), 5);
}

// Values outside their rule show as stored, and OK leaves every one of them stored.
TEST_F(EditingTest, OutOfRangeValuesShowAsStoredAndSurviveOk) {
  mk.ReplaceImage(1, FactoryImage());
  mk.EditSettings([&] {
    mk.Rec(BlockId::Limits).SetInt("VelocityLimit", 255);
    mk.Rec(BlockId::Limits).SetInt("PrognozMeth", 17);
    mk.Rec(BlockId::Display).SetInt("IntenseDayTime", 1599);
    mk.Rec(BlockId::FuelSensor).SetInt("TankMode", 9);
    mk.Rec(BlockId::Service).SetInt("TO", 1);
    Show();
    EXPECT_EQ(Find<QDoubleSpinBox>("seVelocityLimit")->value(), 510);
    EXPECT_EQ(Find<QLineEdit>("meIntenseDayTime")->text(), "26:39");
    EXPECT_EQ(Find<QComboBox>("cbTankMode")->currentIndex(), -1);
    EXPECT_EQ(Find<QComboBox>("cbTankMode")->placeholderText(), "9");
    for (auto* radio : Find<QWidget>("rgPrognozMeth")->findChildren<QRadioButton*>()) {
      EXPECT_FALSE(radio->isChecked()) << radio->text().toStdString();
    }
    EXPECT_EQ(Find<QDateEdit>("deTO")->text(), "1");
    dialog->accept();
    return true;
  });
  EXPECT_EQ(mk.Rec(BlockId::Limits).GetInt("VelocityLimit"), 255);
  EXPECT_EQ(mk.Rec(BlockId::Limits).GetInt("PrognozMeth"), 17);
  EXPECT_EQ(mk.Rec(BlockId::Display).GetInt("IntenseDayTime"), 1599);
  EXPECT_EQ(mk.Rec(BlockId::FuelSensor).GetInt("TankMode"), 9);
  EXPECT_EQ(mk.Rec(BlockId::Service).GetInt("TO"), 1);
  EXPECT_TRUE(prompt.errors.empty());
}

TEST_F(EditingTest, ChangedSettingsAreMarkedAndCounted) {
  Load();
  Show();
  Find<QCheckBox>("cbTripJournAuto")->click();
  EXPECT_EQ(dialog->ChangedCount(), 1);
  EXPECT_EQ(dialog->ChangedLabel()->text(), QString::fromUtf8("Изменено настроек: 1"));
  EXPECT_TRUE(Find<QCheckBox>("cbTripJournAuto")->font().bold());
  Find<QCheckBox>("cbTripJournAuto")->click();
  EXPECT_EQ(dialog->ChangedCount(), 0);
  EXPECT_FALSE(Find<QCheckBox>("cbTripJournAuto")->font().bold());
}

TEST_F(EditingTest, SearchListsMatchesWithTheirPageAndFocusesTheChoice) {
  Load();
  Show();
  Activate();
  const QStringList matches = dialog->SearchMatches(QString::fromUtf8("масла акпп"));
  ASSERT_FALSE(matches.isEmpty());
  EXPECT_TRUE(matches.contains(QString::fromUtf8("Т масла АКПП, С — Границы")))
      << matches.join("|").toStdString();
  ASSERT_TRUE(dialog->GoTo(QString::fromUtf8("Т масла АКПП, С — Границы")));
  EXPECT_EQ(dialog->PageControl()->currentIndex(), static_cast<int>(settings::Page::Limits));
  EXPECT_TRUE(Find<QWidget>("seOilAKPPTemperLimit")->hasFocus());
  // Settings the window draws by hand are found too.
  ASSERT_TRUE(dialog->GoTo(QString::fromUtf8("Кол-во точек — Бак")));
  EXPECT_EQ(dialog->PageControl()->currentIndex(), static_cast<int>(settings::Page::Tank));
  EXPECT_TRUE(Find<QWidget>("seOilCalibrQuant")->hasFocus());
  EXPECT_TRUE(dialog->SearchMatches("zzz").isEmpty());
}

TEST_F(EditingTest, ToolTipsNameTheField) {
  Load();
  Show();
  EXPECT_TRUE(Find<QWidget>("seVelocityLimit")->toolTip().contains("Limits.VelocityLimit"));
}

}  // namespace
}  // namespace mk::editor::test
