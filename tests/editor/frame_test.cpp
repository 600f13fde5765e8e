// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's frame: caption, size, the eleven pages and what the variant hides.
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

#include "editor/display_page.h"
#include "editor/page_names.h"
#include "editor_fixture.h"

namespace mk::editor::test {
namespace {

using FrameTest = EditorTest;

TEST_F(FrameTest, HasItsCaptionSizeAndElevenPagesInOrder) {
  Load();
  auto& dlg = Show();
  EXPECT_EQ(dlg.windowTitle(), QString::fromUtf8("Настройки МК"));
  // As large as its pages need, unless the screen is smaller; with a frame
  // it fits a 1280 × 720 screen.
  const QSize room =
      dlg.screen()->availableGeometry().size() - (dlg.frameGeometry().size() - dlg.size());
  EXPECT_EQ(dlg.size(), QSize(kEditorWidth, kEditorHeight).boundedTo(room));
  EXPECT_LE(kEditorWidth, 1280 - 2 * 8);
  EXPECT_LE(kEditorHeight, 720 - 2 * 8 - 32);
  EXPECT_LT(dlg.minimumSize().width(), dlg.maximumSize().width());  // resizable
  QTabWidget* pages = dlg.PageControl();
  ASSERT_EQ(pages->count(), 11);
  const char* names[] = {"TabSheet2", "tsCorr", "TabSheet1", "tsDisp",   "tsVoice",  "tsAver",
                         "tsPark",    "tsOil",  "tsTO",      "tsBlocks", "tsUniMeas"};
  const char* captions[] = {"Поправки", "Источники", "Границы", "Дисплей", "Озвуч.сообщения",
                            "Средние",  "Парковка",  "Бак",     "ТО",      "Допсистемы",
                            "Унив.вход"};
  for (int i = 0; i < 11; ++i) {
    EXPECT_EQ(pages->widget(i)->objectName(), names[i]);
    EXPECT_EQ(pages->tabText(i), QString::fromUtf8(captions[i]));
  }
  EXPECT_TRUE(dlg.OkButton()->isDefault());
  EXPECT_EQ(dlg.OkButton()->text(), "OK");
}

TEST_F(FrameTest, DisplayPageHasTenSubPages) {
  Load();
  auto& dlg = Show();
  auto* display = static_cast<TDisplayPage*>(dlg.PageOf(settings::Page::Display));
  ASSERT_EQ(display->SubPages()->count(), 10);
  EXPECT_EQ(display->SubPages()->tabText(0), QString::fromUtf8("Цветовые схемы"));
  EXPECT_EQ(display->SubPages()->tabText(9), QString::fromUtf8("Разное"));
  auto* misc = display->SubPage(settings::DisplayPage::Misc);
  for (const char* name : {"cbDispShowTitle", "cbShowDispName", "rgAirWaterShow", "rgDispSpeed"}) {
    EXPECT_NE(misc->findChild<QWidget*>(name), nullptr) << name;
  }
}

TEST_F(FrameTest, EverySecondOpeningStartsOnTheFirstPages) {
  Load();
  for (int round = 0; round < 2; ++round) {
    auto& dlg = Show();
    EXPECT_EQ(dlg.PageControl()->currentIndex(), 0);
    auto* display = static_cast<TDisplayPage*>(dlg.PageOf(settings::Page::Display));
    EXPECT_EQ(display->SubPages()->currentIndex(), 0);
    dlg.PageControl()->setCurrentIndex(5);
    display->SubPages()->setCurrentIndex(3);
    dlg.reject();
  }
}

TEST_F(FrameTest, TheSameDialogShownAgainStartsOnTheFirstPage) {
  Load();
  auto& dlg = Show();
  dlg.PageControl()->setCurrentIndex(4);
  dlg.hide();
  dlg.show();
  EXPECT_EQ(dlg.PageControl()->currentIndex(), 0);
}

TEST_F(FrameTest, TheVariantHidesThePagesItLacks) {
  const auto shown = [&](settings::Page page) {
    return dialog->PageControl()->isTabVisible(static_cast<int>(page));
  };
  Load(5, 0);  // the basic MK: no parking radar, no blocks, no universal input
  Show();
  EXPECT_FALSE(shown(settings::Page::Parking));
  EXPECT_FALSE(shown(settings::Page::Blocks));
  EXPECT_FALSE(shown(settings::Page::UniMeas));
  EXPECT_TRUE(shown(settings::Page::Tank));
  Load(1, 0);
  Show();
  EXPECT_TRUE(shown(settings::Page::Parking));
  EXPECT_TRUE(shown(settings::Page::Blocks));
  EXPECT_TRUE(shown(settings::Page::UniMeas));
}

}  // namespace
}  // namespace mk::editor::test

namespace mk::editor::test {
namespace {
TEST_F(EditorTest, OpensOnTheVirtualMksOwnImage) {
  Load(1, sim::kFactoryFirmwareVersion);
  Show();
  EXPECT_TRUE(prompt.errors.empty());
}
}  // namespace
}  // namespace mk::editor::test

namespace mk::editor::test {
namespace {
TEST_F(EditorTest, EditTransactionOnTheVirtualMksImage) {
  mk.ReplaceImage(1, FactoryImage());
  const bool ok = mk.EditSettings([&] {
    TMK_SetParamsDlg d(mk, prompt);
    d.show();
    QApplication::processEvents();
    return true;
  });
  EXPECT_TRUE(ok);
  EXPECT_TRUE(prompt.errors.empty());
}
}  // namespace
}  // namespace mk::editor::test
