// SPDX-License-Identifier: GPL-3.0-or-later
// The "Дисплей" sub-pages in the editor over the factory image: previews that
// follow a right click, colour schemes with their questions, hot-menu editing
// and the show-display boxes.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest/QTest>

#include "editor/display_colors_page.h"
#include "editor/display_hot_menus_page.h"
#include "editor/display_page.h"
#include "editor/display_preview_box.h"
#include "editor/display_screens_page.h"
#include "editor/display_show_boxes.h"
#include "editor_fixture.h"
#include "preview/screen_colors.h"
#include "settings/color_schemes.h"

namespace mk::editor::test {
namespace {

using settings::DisplayPage;

class DisplayPagesTest : public EditorTest {
 protected:
  void SetUp() override {
    Load();
    Show();
    page_ = dynamic_cast<TDisplayPage*>(dialog->PageOf(settings::Page::Display));
    ASSERT_NE(page_, nullptr);
    dialog->PageControl()->setCurrentWidget(page_);
  }
  template <typename T>
  T* Open(DisplayPage sub) {
    page_->SubPages()->setCurrentWidget(page_->SubPage(sub));
    QApplication::processEvents();
    auto* content = dynamic_cast<T*>(page_->SubPageContent(sub));
    EXPECT_NE(content, nullptr);
    return content;
  }
  device::Record& Display() { return mk.Rec(device::BlockId::Display); }
  static QAction* ActionNamed(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions()) {
      if (a->text() == text) return a;
    }
    return nullptr;
  }

  TDisplayPage* page_ = nullptr;
};

TEST_F(DisplayPagesTest, RightClickOnTheLowerRightQuarterChoosesPlace3AndThePreviewFollows) {
  auto* x4 = Open<TScreensSubPage>(DisplayPage::X4);
  TPreviewBox* box = x4->Box(1);
  EXPECT_EQ(box->objectName(), "pbDisp4_1");
  const QImage before = box->Image();
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(300, 200));
  EXPECT_EQ(x4->ParamMenu(), nullptr);  // a left click does nothing
  QTest::mouseClick(box, Qt::RightButton, {}, QPoint(300, 200));
  QMenu* menu = x4->ParamMenu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->objectName(), "pmParams");
  // Place 3 of screen 1 holds code 4 ("Скор/Поез."), checked.
  QAction* checked = nullptr;
  for (QAction* a : menu->actions()) {
    if (a->isChecked()) checked = a;
  }
  ASSERT_NE(checked, nullptr);
  EXPECT_EQ(checked->text(), "Скор/Поез.");
  QAction* speed = ActionNamed(menu, "Скорость");
  ASSERT_NE(speed, nullptr);
  speed->trigger();
  EXPECT_EQ(Display().GetInt("Disp4Params", 1, 3), 12);
  EXPECT_EQ(Display().GetInt("Disp4Params", 1, 0), 13);
  EXPECT_NE(box->Image(), before);
}

TEST_F(DisplayPagesTest, GraphMenusOfferGraphParametersAndBelow180Nothing) {
  auto* graphs = Open<TScreensSubPage>(DisplayPage::Graph);
  TPreviewBox* box = graphs->Box(6);  // 13, 0: no lower graph
  // Where the MK's screen has (x, y), however large the box shows it.
  const auto at = [box](int x, int y) {
    return QPoint(x * box->width() / preview::kScreenWidth,
                  y * box->height() / preview::kScreenHeight);
  };
  QTest::mouseClick(box, Qt::RightButton, {}, at(50, 200));
  EXPECT_EQ(graphs->ParamMenu(), nullptr);
  QTest::mouseClick(box, Qt::RightButton, {}, at(50, 120));
  ASSERT_NE(graphs->ParamMenu(), nullptr);
  const auto actions = graphs->ParamMenu()->actions();
  ASSERT_FALSE(actions.empty());
  EXPECT_EQ(actions.front()->text(), "Отсутствует");
  EXPECT_TRUE(actions.front()->isChecked());
  EXPECT_EQ(ActionNamed(graphs->ParamMenu(), "Время"), nullptr);  // not graph-capable
  ActionNamed(graphs->ParamMenu(), "Скорость")->trigger();
  EXPECT_EQ(Display().GetInt("GraphParams", 6, 1), 12);
}

TEST_F(DisplayPagesTest, X3PagePutsTheTopBandOnPlace0) {
  auto* x3 = dynamic_cast<TScreensSubPage*>(page_->SubPageContent(DisplayPage::X3));
  ASSERT_NE(x3, nullptr);
  x3->show();  // hidden for this variant, but built
  QTest::mouseClick(x3->Box(2), Qt::RightButton, {}, QPoint(10, 5));
  ActionNamed(x3->ParamMenu(), "Скорость")->trigger();
  QTest::mouseClick(x3->Box(2), Qt::RightButton, {}, QPoint(10, 5 * 34 + 3));
  ActionNamed(x3->ParamMenu(), "Обороты")->trigger();
  EXPECT_EQ(Display().GetInt("Disp7Params", 2, 0), 12);
  EXPECT_EQ(Display().GetInt("Disp7Params", 2, 1), 13);
}

TEST_F(DisplayPagesTest, Scheme2OverScheme1AsksWhileFocusedAndNoPutsTheGroupBack) {
  auto* colors = Open<TColorsSubPage>(DisplayPage::Colors);
  auto* scheme2 = colors->Schemes()->button(2);
  const std::vector<std::uint8_t> user(mk.ColorSet(1).begin(), mk.ColorSet(1).end());
  const QImage before =
      page_->SubPageContent(DisplayPage::Colors)->findChild<TPreviewBox*>()->Image();
  // The question comes only while the scheme group has the focus, as after a click.
  QApplication::setActiveWindow(dialog.get());
  scheme2->setFocus();
  ASSERT_TRUE(scheme2->hasFocus());
  prompt.answers = {false};
  QTest::mouseClick(scheme2, Qt::LeftButton, {}, QPoint(8, scheme2->height() / 2));
  ASSERT_EQ(prompt.questions.size(), 1U);
  EXPECT_EQ(prompt.questions[0], "Сменить цветовую схему?");
  EXPECT_TRUE(colors->Schemes()->button(1)->isChecked());
  EXPECT_TRUE(std::ranges::equal(mk.ColorSet(0), mk.ColorPresets()[0]));

  prompt.answers = {true};
  QTest::mouseClick(scheme2, Qt::LeftButton, {}, QPoint(8, scheme2->height() / 2));
  EXPECT_EQ(prompt.questions.size(), 2U);
  EXPECT_TRUE(std::ranges::equal(mk.ColorSet(0), mk.ColorPresets()[1]));
  EXPECT_TRUE(std::ranges::equal(mk.ColorSet(1), user));
  EXPECT_EQ(Display().GetInt("ActiveColorScheme"), 0x22);
  EXPECT_NE(colors->findChild<TPreviewBox*>()->Image(), before);  // the previews recolour

  // Without the focus on the group there is no question.
  dialog->OkButton()->setFocus();
  colors->Schemes()->button(3)->click();
  EXPECT_EQ(prompt.questions.size(), 2U);
  EXPECT_EQ(Display().GetInt("ActiveColorScheme"), 0x33);
}

TEST_F(DisplayPagesTest, PaletteRowAndChannelsEditTheSelectedSet) {
  auto* colors = Open<TColorsSubPage>(DisplayPage::Colors);
  QTableWidget* palette = colors->PaletteGrid();
  ASSERT_EQ(palette->rowCount(), 16);
  EXPECT_EQ(palette->item(5, 0)->text(), "Цвет #5");
  const QRect cell = palette->visualItemRect(palette->item(5, 0));
  QTest::mousePress(palette->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseRelease(palette->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(colors->findChild<QLabel*>("lColorCaption")->text(), "Цвет #5");
  colors->Channel(0)->setValue(31);
  colors->Channel(1)->setValue(31);
  colors->Channel(2)->setValue(31);
  EXPECT_EQ(settings::PaletteWord(mk.ColorSet(0), 5), 65535);
  EXPECT_EQ(colors->Channel(1)->value(), 31);

  // The user's scheme edits the second set.
  colors->Schemes()->button(settings::kUserScheme)->click();
  EXPECT_EQ(settings::ColorSetIndex(mk), 1U);
  colors->Channel(0)->setValue(0);
  EXPECT_EQ(device::UnpackColor(settings::PaletteWord(mk.ColorSet(1), 5)).r, 0);
  EXPECT_EQ(settings::PaletteWord(mk.ColorSet(0), 5), 65535);
}

TEST_F(DisplayPagesTest, ElementGridsStoreTheIndexAtTheRowsPosition) {
  auto* colors = Open<TColorsSubPage>(DisplayPage::Colors);
  QTableWidget* arrows = colors->ElementGrid(settings::ElementGroup::Arrows);
  ASSERT_EQ(arrows->rowCount(), 10);
  EXPECT_EQ(arrows->item(8, 0)->text(), "Подписи цвет");
  arrows->setCurrentCell(8, 0);
  emit arrows->cellPressed(8, 0);
  colors->ElementEditor(settings::ElementGroup::Arrows)->setValue(11);
  EXPECT_EQ(mk.ColorSet(0)[45 + 1], 11);
  const QColor shown = arrows->item(8, 1)->background().color();
  const preview::Rgb8 want = preview::Widen(settings::PaletteWord(mk.ColorSet(0), 11));
  EXPECT_EQ(shown, QColor(want.r, want.g, want.b));
}

TEST_F(DisplayPagesTest, CopyToUserAndResetAllWithItsQuestion) {
  auto* colors = Open<TColorsSubPage>(DisplayPage::Colors);
  colors->findChild<QPushButton*>("bCopyToUser")->click();
  EXPECT_TRUE(std::ranges::equal(mk.ColorSet(1), mk.ColorSet(0)));
  mk.ColorSet(0)[3] ^= 0xFF;
  prompt.answers = {false};
  colors->findChild<QPushButton*>("bResetColors")->click();
  ASSERT_EQ(prompt.questions.size(), 1U);
  EXPECT_EQ(prompt.questions[0], "Привести все настройки цветовых схем в исходное состояние?");
  EXPECT_FALSE(std::ranges::equal(mk.ColorSet(0), mk.ColorPresets()[0]));
  prompt.answers = {true};
  colors->findChild<QPushButton*>("bResetColors")->click();
  EXPECT_TRUE(std::ranges::equal(mk.ColorSet(0), mk.ColorPresets()[0]));
  EXPECT_TRUE(std::ranges::equal(mk.ColorSet(1), mk.ColorPresets()[3]));
  EXPECT_TRUE(colors->Schemes()->button(1)->isChecked());
}

TEST_F(DisplayPagesTest, DispVarGroupsStoreTheirIndex) {
  auto* colors = Open<TColorsSubPage>(DisplayPage::Colors);
  auto* var9 = colors->findChild<QGroupBox*>("rgDispVar9");
  ASSERT_NE(var9, nullptr);
  var9->findChildren<QRadioButton*>().at(1)->click();
  EXPECT_EQ(Display().GetInt("DispVar9"), 1);
}

class HotMenusTest : public DisplayPagesTest {
 protected:
  void SetUp() override {
    DisplayPagesTest::SetUp();
    hot_ = Open<THotMenusSubPage>(DisplayPage::HotMenus);
  }
  void RightClick(int list, int row) {
    THotMenuGrid* grid = hot_->Grid(list);
    const QPoint at = grid->visualItemRect(grid->item(row, 1)).center();
    QTest::mousePress(grid->viewport(), Qt::RightButton, {}, at);
  }
  QString Caption(int list, int row) { return hot_->Grid(list)->item(row, 1)->text(); }
  std::uint16_t Entry(int list, int row) {
    return static_cast<std::uint16_t>(Display().GetInt("HotMenu", list, row));
  }

  THotMenusSubPage* hot_ = nullptr;
};

TEST_F(HotMenusTest, ListsShowCompactedAndAreStoredSoOnlyWithAnEdit) {
  // The factory list 0 has empty entries at rows 6, 8 and 9: shown compacted, stored as it was.
  const auto history = mk.Catalogues().Menu().FindMenuItemByName("MeasParamsHistoryFlagMenu");
  EXPECT_EQ(Entry(0, 6), 0);
  EXPECT_EQ(Entry(0, 7), history->Code);
  EXPECT_EQ(Caption(0, 6),
            QString::fromStdString(settings::EntryCaption(mk.Catalogues().Menu(), history->Code)));
  EXPECT_EQ(Caption(0, 7), "");
  // An edit of the list stores it as shown, then edited.
  RightClick(0, 0);
  hot_->RowMenu()->actions()[1]->trigger();  // "Удалить пункт"
  EXPECT_EQ(Entry(0, 5), history->Code);
  EXPECT_EQ(Entry(0, 6), 0);
  EXPECT_EQ(Caption(0, 9), "");
  EXPECT_EQ(hot_->Grid(1)->item(9, 0)->text(), "9");
  const QLabel* hint = hot_->findChild<QLabel*>("lHotMenuHint");
  ASSERT_NE(hint, nullptr);
  EXPECT_TRUE(hint->text().startsWith("Для того, чтобы добавить или удалить пункт меню"));
}

TEST_F(HotMenusTest, DeleteInsertAndClearThroughTheRowMenu) {
  for (int row = 0; row < 10; ++row) Display().SetInt("HotMenu", 46 + row, 1, row);
  hot_->Fill();
  RightClick(1, 3);
  QMenu* rows = hot_->RowMenu();
  ASSERT_NE(rows, nullptr);
  ASSERT_EQ(rows->actions().size(), 3);
  EXPECT_EQ(rows->actions()[0]->text(), "Вставить пункт");
  rows->actions()[1]->trigger();  // "Удалить пункт"
  EXPECT_EQ(Entry(1, 3), 50);
  EXPECT_EQ(Entry(1, 8), 55);
  EXPECT_EQ(Entry(1, 9), 0);
  EXPECT_EQ(Caption(1, 9), "");

  RightClick(1, 0);
  hot_->RowMenu()->actions()[0]->trigger();  // "Вставить пункт"
  QMenu* insert = hot_->InsertMenu();
  ASSERT_NE(insert, nullptr);
  QAction* trip = ActionNamed(insert, "Сброс Поездка");
  ASSERT_NE(trip, nullptr);
  trip->trigger();
  EXPECT_EQ(Entry(1, 0), 46);
  EXPECT_EQ(Entry(1, 1), 46);
  EXPECT_EQ(Entry(1, 9), 55);

  RightClick(1, 5);
  hot_->RowMenu()->actions()[2]->trigger();  // "Очистить список"
  for (int row = 0; row < 10; ++row) EXPECT_EQ(Entry(1, row), 0);
}

TEST_F(HotMenusTest, DraggingTheLeftColumnMovesTheEntry) {
  for (int row = 0; row < 10; ++row) Display().SetInt("HotMenu", 1 + row, 0, row);
  hot_->Fill();
  THotMenuGrid* grid = hot_->Grid(0);
  const QPoint from = grid->visualItemRect(grid->item(7, 0)).center();
  const QPoint to = grid->visualItemRect(grid->item(2, 1)).center();
  QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, from);
  QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, to);
  const std::uint16_t want[10] = {1, 2, 8, 3, 4, 5, 6, 7, 9, 10};
  for (int row = 0; row < 10; ++row) EXPECT_EQ(Entry(0, row), want[row]) << row;
  // Pressing on the caption column does not drag.
  const QPoint caption = grid->visualItemRect(grid->item(0, 1)).center();
  QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, caption);
  QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, to);
  EXPECT_EQ(Entry(0, 0), 1);
}

TEST_F(HotMenusTest, TheMenuKeyOpensTheRowMenuOfTheCurrentRow) {
  THotMenuGrid* grid = hot_->Grid(0);
  grid->setCurrentCell(2, 1);
  QContextMenuEvent key(QContextMenuEvent::Keyboard, QPoint(5, 5), grid->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(grid->viewport(), &key);
  ASSERT_NE(hot_->RowMenu(), nullptr);
  hot_->RowMenu()->actions()[1]->trigger();   // "Удалить пункт" on row 2
  EXPECT_EQ(Caption(0, 2), "Граница Скор.");  // row 3 moved up
}

TEST_F(HotMenusTest, UnknownCodesShowNoCaptionAndStay) {
  Display().SetInt("HotMenu", 900, 2, 0);
  hot_->Fill();
  EXPECT_EQ(Entry(2, 0), 900);
  EXPECT_EQ(Caption(2, 0), "");
}

TEST_F(DisplayPagesTest, ShowDisplayBoxesSetTheirBitsOnly) {
  TShowDisplayBoxes* boxes = page_->ShowDisplayBoxes();
  ASSERT_NE(boxes, nullptr);
  auto* g3 = boxes->findChild<QCheckBox*>("cbShowDisp_G_3");
  ASSERT_NE(g3, nullptr);
  EXPECT_TRUE(g3->isChecked());
  page_->SubPages()->setCurrentWidget(page_->SubPage(DisplayPage::Misc));
  g3->click();
  EXPECT_EQ(Display().GetInt("ShowDispG"), 255 - 8);
  auto* x1 = boxes->findChild<QCheckBox*>("cbShowDisp_1_0");
  ASSERT_NE(x1, nullptr);
  EXPECT_FALSE(x1->text().isEmpty());
  EXPECT_TRUE(x1->isChecked());
  x1->click();
  EXPECT_EQ(Display().GetInt("ShowDisp1", 0), 0xFFFFFFFE);
  EXPECT_EQ(Display().GetInt("ShowDisp1", 1), 0);
  // The taximeter average only on a variant with a taximeter.
  EXPECT_TRUE(boxes->findChild<QCheckBox*>("cbShowDisp_S_6")->isHidden());
}

}  // namespace
}  // namespace mk::editor::test
