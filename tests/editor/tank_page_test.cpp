// SPDX-License-Identifier: GPL-3.0-or-later
// The page "Бак" in the editor over the virtual MK's factory image: layout
// and texts, the seven-point rows, the table grid and its write-back, the
// tank file buttons and the chart.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include <filesystem>

#include "device/tank_file.h"
#include "editor/tank_chart.h"
#include "editor/tank_page.h"
#include "editor_fixture.h"
#include "support/files.h"

namespace mk::editor::test {
namespace {

using device::BlockId;

class TankPageTest : public EditorTest {
 protected:
  TTankPage& Open() {
    Load();
    auto& dlg = Show();
    dlg.PageControl()->setCurrentWidget(dlg.PageOf(settings::Page::Tank));
    dlg.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
    return *static_cast<TTankPage*>(dlg.PageOf(settings::Page::Tank));
  }
  device::Record& Tank() { return mk.Rec(BlockId::TankCalibration); }
  device::Record& Fuel() { return mk.Rec(BlockId::FuelSensor); }
  QTableWidget* Grid() { return Find<QTableWidget>("sgTarir"); }
  QString Cell(int row, int column) {
    const QTableWidgetItem* item = Grid()->item(row, column);
    return item != nullptr ? item->text() : QString("<none>");
  }
  /// Types into a grid cell as a user would, then leaves the grid for OK.
  void TypeCell(int row, int column, const char* text) {
    Grid()->setFocus();
    Grid()->setCurrentCell(row, column);
    QTest::keyClick(Grid(), Qt::Key_F2);
    auto* edit = Editor();
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  /// The cell editor now open (closed ones linger until deleted).
  QLineEdit* Editor() { return qobject_cast<QLineEdit*>(QApplication::focusWidget()); }
  void LeaveGrid() { dialog->OkButton()->setFocus(); }
  /// A cell left holding text no mask allowed (pasted, or from another program).
  void SetCell(int row, int column, const char* text) {
    Grid()->item(row, column)->setText(QString::fromUtf8(text));
  }

  tests::TempFolder folder_{"mk-tank-page"};
};

TEST_F(TankPageTest, ShowsTheNoticesGroupsAndTheFactoryCalibration) {
  auto& page = Open();
  QStringList texts;
  for (auto* label : page.findChildren<QLabel*>()) texts << label->text();
  EXPECT_TRUE(texts.contains(QString::fromUtf8(
      "Внмание! Для правильной работы программы МК НЕОБХОДИМО использовать последние версии ПО МК "
      "и программы настройки.")));
  EXPECT_TRUE(texts.contains(QString::fromUtf8(
      "В том случае, если Вы хотите скопировать текущие настройки бака из текущей версии ПО в "
      "последующие, сохраните их сейчас кнопкой \"Сохранить настройки бака\".\nВ будущем, после "
      "загрузки НОВОГО ПО МК и соответствующей новой программы настройки, откройте закладку Бак и "
      "нажмите кнопку \"Считать настройки бака\".")));
  EXPECT_TRUE(texts.contains(
      QString::fromUtf8("Внмание! Установка значений пользователем вручную НЕ РЕКОМЕНДУЕТСЯ! "
                        "\nНекорректная установка может привести к неправильной работе МК!")));
  EXPECT_EQ(texts.count(QString::fromUtf8("  #       литры           у.е.")), 2);
  EXPECT_TRUE(texts.contains(QString::fromUtf8("Кол-во точек")));
  EXPECT_TRUE(texts.contains(QString::fromUtf8("Количество точек тарировки")));

  QStringList groups;
  for (auto* group : page.findChildren<QGroupBox*>()) groups << group->title();
  EXPECT_EQ(groups, (QStringList{"Линейный по 2 точкам", "Линейный по 7 точкам", "Тарированный",
                                 "Наклон ДУТ (справочно)"}));
  auto* slope = Find<QGroupBox>("rgTarirIncline");
  EXPECT_FALSE(slope->isEnabled());
  const auto radios = slope->findChildren<QRadioButton*>();
  ASSERT_EQ(radios.size(), 3);
  EXPECT_EQ(radios[0]->text(), QString::fromUtf8("Обратный"));
  EXPECT_TRUE(radios[0]->isChecked());  // TarirIncline 0
  EXPECT_EQ(radios[2]->text(), QString::fromUtf8("Авто"));
  EXPECT_EQ(Find<QPushButton>("bSaveTankFile")->text(),
            QString::fromUtf8("Сохранить настройки бака в файл"));
  EXPECT_EQ(Find<QPushButton>("bLoadTankFile")->text(),
            QString::fromUtf8("Считать настройки бака из файла"));
  EXPECT_EQ(Find<QCheckBox>("cbTarirFlagFinish")->text(), QString::fromUtf8("Тарировка проведена"));
  EXPECT_TRUE(Find<QCheckBox>("cbTarirFlagFinish")->isChecked());

  EXPECT_EQ(Find<QSpinBox>("seOil6L")->value(), 1000);
  EXPECT_EQ(Find<QSpinBox>("seLit6L")->value(), 6);
  EXPECT_EQ(Find<QSpinBox>("seOil43L")->value(), 10);
  EXPECT_EQ(Find<QSpinBox>("seLit43L")->value(), 43);
  for (const char* name : {"seLit6L", "seLit43L", "seOilCalibrLitArr0", "seOilCalibrLitArr6"}) {
    EXPECT_EQ(Find<QSpinBox>(name)->maximum(), 50) << name;  // TankContFull
  }
  for (const char* name : {"seOil6L", "seOil43L", "seOilCalibrResArr3"}) {
    EXPECT_EQ(Find<QSpinBox>(name)->maximum(), 2000) << name;
  }
  EXPECT_EQ(Find<QSpinBox>("seOilCalibrQuant")->maximum(), 7);
  auto* leng = Find<QSpinBox>("seTarirLeng");
  EXPECT_EQ(leng->value(), 15);
  EXPECT_EQ(leng->maximum(), 68);
  EXPECT_TRUE(leng->findChild<QLineEdit*>()->isReadOnly());  // buttons only

  auto* grid = Grid();
  EXPECT_EQ(grid->rowCount(), 15);
  EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "#");
  EXPECT_EQ(grid->horizontalHeaderItem(1)->text(), QString::fromUtf8("литры"));
  EXPECT_EQ(grid->horizontalHeaderItem(2)->text(), QString::fromUtf8("уе"));
  EXPECT_EQ(Cell(0, 0), "1");
  EXPECT_EQ(Cell(0, 1), "16");
  EXPECT_EQ(Cell(14, 0), "15");
  EXPECT_EQ(Cell(14, 1), "58");
  EXPECT_EQ(Cell(14, 2), "700");
  EXPECT_FALSE(grid->item(0, 0)->flags() & Qt::ItemIsEditable);

  const auto& chart = page.Chart()->Chart();
  EXPECT_EQ(chart.two_point.size(), 2u);
  EXPECT_EQ(chart.seven_point.size(), 7u);
  EXPECT_EQ(chart.table.size(), 15u);
  // Under the plot, a line of the font each for the units' numbers and «у.е.».
  const TTankChart* drawn = page.Chart();
  EXPECT_GE(drawn->height() - drawn->Place({0, 0}).y(), 2 * drawn->fontMetrics().height());
}

TEST_F(TankPageTest, LitresFollowTheTankVolumeAndEditsAreStoredOnLeaving) {
  Load();
  Fuel().SetInt("TankContFull", 80);
  Fuel().SetInt("Lit43L", 70);
  mk.StoreFuelSensor();
  dialog = std::make_unique<TMK_SetParamsDlg>(mk, prompt, nullptr, kFileFolder);
  dialog->show();
  dialog->PageControl()->setCurrentWidget(dialog->PageOf(settings::Page::Tank));
  dialog->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
  auto* lit = Find<QSpinBox>("seLit43L");
  EXPECT_EQ(lit->maximum(), 80);
  EXPECT_EQ(lit->value(), 70);

  auto* units = Find<QSpinBox>("seOil6L");
  units->setFocus();
  units->findChild<QLineEdit*>()->selectAll();
  QTest::keyClicks(units, "1500");
  EXPECT_EQ(Fuel().GetInt("Oil6L"), 1000);  // not while typing
  LeaveGrid();
  EXPECT_EQ(Fuel().GetInt("Oil6L"), 1500);
  auto* page = static_cast<TTankPage*>(dialog->PageOf(settings::Page::Tank));
  EXPECT_EQ(page->Chart()->Chart().two_point[0].units, 1500);  // redrawn at once
}

TEST_F(TankPageTest, LoweringThePointCountHidesRowsWhileTypingAndKeepsTheirFields) {
  Open();
  for (std::size_t k = 0; k < 7; ++k) Fuel().SetInt("OilCalibrLitArr", 10 + 5 * k, k);
  auto* quant = Find<QSpinBox>("seOilCalibrQuant");
  EXPECT_FALSE(Find<QSpinBox>("seOilCalibrLitArr6")->isHidden());
  quant->setFocus();
  quant->findChild<QLineEdit*>()->selectAll();
  QTest::keyClicks(quant, "3");
  EXPECT_FALSE(Find<QLabel>("lOilCalibr2")->isHidden());
  EXPECT_FALSE(Find<QSpinBox>("seOilCalibrResArr2")->isHidden());
  for (int k = 3; k < 7; ++k) {
    EXPECT_TRUE(Find<QLabel>(QString("lOilCalibr%1").arg(k).toUtf8())->isHidden()) << k;
    EXPECT_TRUE(Find<QSpinBox>(QString("seOilCalibrLitArr%1").arg(k).toUtf8())->isHidden()) << k;
    EXPECT_TRUE(Find<QSpinBox>(QString("seOilCalibrResArr%1").arg(k).toUtf8())->isHidden()) << k;
  }
  EXPECT_EQ(Fuel().GetInt("OilCalibrQuant"), 7);  // stored on leaving
  LeaveGrid();
  EXPECT_EQ(Fuel().GetInt("OilCalibrQuant"), 3);
  EXPECT_EQ(Fuel().GetInt("OilCalibrLitArr", 6), 40);
}

TEST_F(TankPageTest, ThePointCountResizesTheGridAtOnce) {
  Open();
  auto* leng = Find<QSpinBox>("seTarirLeng");
  leng->stepUp();
  EXPECT_EQ(Tank().GetInt("TarirLeng"), 16);
  EXPECT_EQ(Grid()->rowCount(), 16);
  EXPECT_EQ(Cell(15, 0), "16");
  EXPECT_EQ(Cell(15, 1), "0");
  leng->setValue(0);
  EXPECT_EQ(Tank().GetInt("TarirLeng"), 0);
  EXPECT_EQ(Grid()->rowCount(), 1);
  EXPECT_EQ(Cell(0, 0), "");
  EXPECT_EQ(Cell(0, 1), "");
}

TEST_F(TankPageTest, NoPointsStoresNothingButSetsTheInverseFlagFromTheFirstPoint) {
  auto& page = Open();
  Find<QSpinBox>("seTarirLeng")->setValue(0);
  Tank().SetInt("TarirRes", 300, 0);
  TypeCell(0, 1, "77");
  EXPECT_TRUE(page.TarirEdited());
  LeaveGrid();
  EXPECT_FALSE(page.TarirEdited());
  EXPECT_EQ(Tank().GetInt("TarirLit", 0), 16);
  EXPECT_EQ(Tank().GetInt("TarirInverse"), 1);
  EXPECT_EQ(Cell(0, 1), "");
}

TEST_F(TankPageTest, UnitsKeepTheirDigitsAndTheFirstPointSetsTheInverseFlag) {
  auto& page = Open();
  TypeCell(0, 2, "2");  // typing marks the grid edited
  SetCell(0, 2, "2-41");
  LeaveGrid();
  EXPECT_EQ(Tank().GetInt("TarirRes", 0), 241);
  EXPECT_EQ(Tank().GetInt("TarirInverse"), 1);
  EXPECT_EQ(Cell(0, 2), "241");  // refilled

  TypeCell(0, 2, "240");
  LeaveGrid();
  EXPECT_EQ(Tank().GetInt("TarirInverse"), 0);
  EXPECT_FALSE(page.TarirEdited());
  EXPECT_TRUE(prompt.errors.empty());
}

TEST_F(TankPageTest, TheGridsCellsTakeAtMostThreeAndFourDigits) {
  Open();
  TypeCell(1, 1, "12a34");
  EXPECT_EQ(Editor()->text(), "123");
  TypeCell(1, 2, "-98765");
  EXPECT_EQ(Editor()->text(), "9876");
  LeaveGrid();
  EXPECT_EQ(Tank().GetInt("TarirLit", 1), 123);
  EXPECT_EQ(Tank().GetInt("TarirRes", 1), 9876);
}

TEST_F(TankPageTest, LitresAbove255AreARangeErrorAfterTheEarlierPointsAreStored) {
  auto& page = Open();
  TypeCell(0, 1, "100");
  TypeCell(2, 1, "256");
  SetCell(3, 1, "30");
  LeaveGrid();
  ASSERT_EQ(prompt.errors.size(), 1u);
  EXPECT_EQ(prompt.errors[0], "Точка тарировки 3, литры: значение 256 вне диапазона 0 … 255.");
  EXPECT_EQ(Tank().GetInt("TarirLit", 0), 100);
  EXPECT_EQ(Tank().GetInt("TarirLit", 1), 19);
  EXPECT_EQ(Tank().GetInt("TarirLit", 2), 22);  // refused
  EXPECT_EQ(Tank().GetInt("TarirLit", 3), 25);  // after the refusal: not reached
  EXPECT_TRUE(page.TarirEdited());
  EXPECT_TRUE(Grid()->hasFocus() || Grid()->isAncestorOf(QApplication::focusWidget()));
  EXPECT_FALSE(page.WriteBack());  // OK stays refused while the value stands
}

TEST_F(TankPageTest, OkWritesBackTheGridWhateverHasTheFocus) {
  auto& page = Open();
  TypeCell(1, 1, "44");
  Editor()->clearFocus();  // the editor closes, the focus stays out of the window's reach
  Grid()->item(1, 1)->setText("44");
  ASSERT_TRUE(page.TarirEdited());
  dialog->accept();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(Tank().GetInt("TarirLit", 1), 44);
  EXPECT_FALSE(page.TarirEdited());
}

TEST_F(TankPageTest, ACountAbove68ShowsNoPointsAndTheImageHoldsZero) {
  Load();
  Tank().SetInt("TarirLeng", 70);
  mk.StoreTankCalibration();
  Show();
  EXPECT_EQ(Tank().GetInt("TarirLeng"), 0);
  EXPECT_EQ(Find<QSpinBox>("seTarirLeng")->value(), 0);
  EXPECT_EQ(Grid()->rowCount(), 1);
}

TEST_F(TankPageTest, SavingThenLoadingRestoresAllThirteenItemsAndKeepsTheSlope) {
  Open();
  const std::string file = folder_.File("tank.vrnko");
  const auto saved = device::EncodeTankFile(mk);
  prompt.tank_save_paths.push_back(file);
  QTest::mouseClick(Find<QPushButton>("bSaveTankFile"), Qt::LeftButton);
  EXPECT_EQ(tests::ReadBytes(file), saved);
  ASSERT_EQ(prompt.tank_save_folders.size(), 1u);
  EXPECT_EQ(prompt.tank_save_folders[0], kFileFolder);

  Find<QSpinBox>("seTarirLeng")->setValue(3);
  Fuel().SetInt("Oil6L", 5);
  Tank().SetInt("TarirHeader", 9);
  Tank().SetInt("TarirIncline", 2);
  prompt.tank_open_paths.push_back(file);
  QTest::mouseClick(Find<QPushButton>("bLoadTankFile"), Qt::LeftButton);
  EXPECT_EQ(device::EncodeTankFile(mk), saved);
  EXPECT_EQ(Tank().GetInt("TarirIncline"), 2);
  EXPECT_EQ(Grid()->rowCount(), 15);  // refilled
  EXPECT_EQ(Find<QSpinBox>("seOil6L")->value(), 1000);
  EXPECT_EQ(prompt.tank_open_folders[0], kFileFolder);
  EXPECT_TRUE(prompt.errors.empty());

  // Cancelled dialogs do nothing.
  QTest::mouseClick(Find<QPushButton>("bLoadTankFile"), Qt::LeftButton);
  QTest::mouseClick(Find<QPushButton>("bSaveTankFile"), Qt::LeftButton);
  EXPECT_EQ(device::EncodeTankFile(mk), saved);
  EXPECT_TRUE(prompt.errors.empty());
}

// A tank file opened from outside the editor: the page comes to the front and
// takes the file as its button would, the change counted like any other.
TEST_F(TankPageTest, ATankFileHandedToTheEditorIsLoadedOnItsPage) {
  Load();
  const std::string file = folder_.File("tank.vrnko");
  const auto before = Fuel().GetInt("Oil6L");
  Fuel().SetInt("Oil6L", 77);
  device::SaveTankFile(file, mk);
  Fuel().SetInt("Oil6L", before);
  auto& dlg = Show();
  dlg.OpenTankFile(file);
  EXPECT_EQ(dlg.PageControl()->currentWidget(), dlg.PageOf(settings::Page::Tank));
  EXPECT_EQ(Fuel().GetInt("Oil6L"), 77);
  EXPECT_EQ(Find<QSpinBox>("seOil6L")->value(), 77);
  EXPECT_EQ(dlg.ChangedCount(), 1);
  EXPECT_TRUE(prompt.tank_open_paths.empty() && prompt.errors.empty());
}

TEST_F(TankPageTest, FilesThatCannotBeReadOrWrittenShowTheirErrorAndThePageIsRefilled) {
  Open();
  const auto before = device::EncodeTankFile(mk);
  Grid()->item(0, 1)->setText("99");  // shown but never written back
  prompt.tank_open_paths.push_back(folder_.File("missing.vrnko"));
  QTest::mouseClick(Find<QPushButton>("bLoadTankFile"), Qt::LeftButton);
  ASSERT_EQ(prompt.errors.size(), 1u);
  EXPECT_NE(prompt.errors[0].find("Не удалось прочитать файл настроек бака"), std::string::npos);
  EXPECT_EQ(device::EncodeTankFile(mk), before);
  EXPECT_EQ(Cell(0, 1), "16");

  prompt.tank_save_paths.push_back(folder_.File("no/folder/tank.vrnko"));
  QTest::mouseClick(Find<QPushButton>("bSaveTankFile"), Qt::LeftButton);
  ASSERT_EQ(prompt.errors.size(), 2u);
  EXPECT_NE(prompt.errors[1].find("Не удалось записать файл настроек бака"), std::string::npos);

  tests::WriteBytes(folder_.path() / "empty.vrnko", {});
  prompt.tank_open_paths.push_back(folder_.File("empty.vrnko"));
  QTest::mouseClick(Find<QPushButton>("bLoadTankFile"), Qt::LeftButton);
  EXPECT_EQ(prompt.errors.size(), 2u);
  EXPECT_EQ(device::EncodeTankFile(mk), before);
}

TEST_F(TankPageTest, ATableEditIsCountedAndMarkedAndATypoShownInTheGridAndOnTheChart) {
  auto& page = Open();
  TypeCell(5, 1, "2");
  LeaveGrid();
  EXPECT_EQ(Tank().GetInt("TarirLit", 5), 2);
  // The point is a setting: counted, and its row bold, also after the grid refills.
  EXPECT_EQ(dialog->ChangedCount(), 1);
  page.Fill();
  EXPECT_TRUE(Grid()->item(5, 1)->font().bold());
  EXPECT_FALSE(Grid()->item(4, 1)->font().bold());
  EXPECT_EQ(Grid()->item(5, 1)->background().color(), QColor(255, 205, 205));
  EXPECT_EQ(Grid()->item(4, 1)->background().style(), Qt::NoBrush);
  const auto& typos = page.Chart()->Chart().table_typos;
  ASSERT_EQ(typos.size(), 15u);
  EXPECT_TRUE(typos[5]);
  EXPECT_EQ(std::count(typos.begin(), typos.end(), true), 1);
}

TEST_F(TankPageTest, UndoPutsTheCheckBoxAndTheCountBack) {
  Open();
  const auto before = device::EncodeTankFile(mk);
  Find<QSpinBox>("seTarirLeng")->setValue(20);
  QTest::mouseClick(Find<QCheckBox>("cbTarirFlagFinish"), Qt::LeftButton);
  EXPECT_EQ(Tank().GetInt("TarirFlagFinish"), 0);
  EXPECT_TRUE(dialog->Context().Undo());
  EXPECT_EQ(Tank().GetInt("TarirFlagFinish"), 1);
  EXPECT_TRUE(Find<QCheckBox>("cbTarirFlagFinish")->isChecked());
  EXPECT_TRUE(dialog->Context().Undo());
  EXPECT_EQ(device::EncodeTankFile(mk), before);
  EXPECT_EQ(Grid()->rowCount(), 15);
}

}  // namespace
}  // namespace mk::editor::test
