// SPDX-License-Identifier: GPL-3.0-or-later
// The oscilloscope dialog on the virtual MK's factory recording: its controls,
// what scrolling and the time scale do to the picture and the model, Esc, the
// error box of a recording that cannot be drawn, saving, the pointer readout,
// and the main window's button for a variant without oscilloscope.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

#include "device/mk.h"
#include "device/settings_file.h"
#include "link/byte_port.h"
#include "scope/osc_text.h"
#include "sim/factory_image.h"
#include "support/files.h"
#include "support/named_controls.h"
#include "support/scripted_dialogs.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "viewers/osc_dialog.h"
#include "viewers/osc_paint_box.h"
#include "viewers/osc_radio_group.h"

namespace mk::viewers {
namespace {

using widgets::test::ScriptedDialogs;

constexpr std::size_t kPart1 = device::kOscPart1Position;
constexpr std::size_t kPart2 = device::kOscPart2Position;

std::vector<std::uint8_t> FactoryImage() {
  return sim::ImageFromMemory(sim::FactoryMemory(8192));
}

// The window's controls, found by their object names.
TOscPaintBox* Picture(const TMK_ViewOscDlg& d) {
  return tests::FindNamed<TOscPaintBox>(d, "PB");
}
QScrollBar* ScrollBar(const TMK_ViewOscDlg& d) {
  return tests::FindNamed<QScrollBar>(d, "sbSclollOffset");
}
TOscRadioGroup* TimeScale(const TMK_ViewOscDlg& d) {
  return tests::FindNamed<TOscRadioGroup>(d, "rgOscTimeDiv");
}
TOscRadioGroup* VoltScale(const TMK_ViewOscDlg& d) {
  return tests::FindNamed<TOscRadioGroup>(d, "rgOscVoltDiv");
}
TOscRadioGroup* Divider(const TMK_ViewOscDlg& d) {
  return tests::FindNamed<TOscRadioGroup>(d, "rgOscInDivider");
}
QLabel* Readout(const TMK_ViewOscDlg& d) {
  return tests::FindNamed<QLabel>(d, "lReadout");
}
QPushButton* SaveButton(const TMK_ViewOscDlg& d) {
  return tests::FindNamed<QPushButton>(d, "bSave");
}

QRgb Pixel(const TMK_ViewOscDlg& dialog, int x, int y) {
  return Picture(dialog)->Bitmap().pixel(x, y) & 0xFFFFFF;
}

class OscDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { Load(FactoryImage()); }

  void Load(const std::vector<std::uint8_t>& image) {
    mk_.ReplaceImage(1, image);
    mk_.LoadOscilloscope();
  }

  /// The dialog as the transaction opens it, shown without a modal loop.
  TMK_ViewOscDlg& Open() {
    dialog_ = std::make_unique<TMK_ViewOscDlg>(mk_, dialogs_, folder_.path().string());
    dialog_->show();
    QApplication::processEvents();
    return *dialog_;
  }

  void TearDown() override {
    if (dialog_) dialog_->close();
  }

  device::TMK mk_;
  ScriptedDialogs dialogs_;
  tests::TempFolder folder_{"osc-dialog"};
  std::unique_ptr<TMK_ViewOscDlg> dialog_;
};

TEST_F(OscDialogTest, ShowsTheFactoryRecordingWithItsScalesAndFixedControls) {
  bool opened = false;
  ASSERT_TRUE(mk_.ViewOscilloscope(
      [&] {
        Open();
        return opened = true;
      },
      dialogs_));
  ASSERT_TRUE(opened);
  TMK_ViewOscDlg& d = *dialog_;
  EXPECT_EQ(d.windowTitle().toStdString(), "Просмотр данных осциллографа");
  EXPECT_EQ(d.size(), QSize(1002, 523));
  EXPECT_EQ(d.minimumSize(), d.maximumSize()) << "a fixed border";
  EXPECT_EQ(d.objectName(), "MK_ViewOscDlg");
  EXPECT_TRUE(d.windowFlags() & Qt::MSWindowsFixedSizeDialogHint) << "a dialog's thin border";
  EXPECT_FALSE(d.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(d.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_EQ(Picture(d)->size(), QSize(1002, 278));
  EXPECT_EQ(Picture(d)->Bitmap().size(), QSize(1002, 278));
  EXPECT_EQ(ScrollBar(d)->height(), 16);
  EXPECT_EQ(ScrollBar(d)->minimum(), -32);
  EXPECT_EQ(ScrollBar(d)->maximum(), 992);
  EXPECT_EQ(ScrollBar(d)->pageStep(), 32);
  EXPECT_EQ(ScrollBar(d)->value(), 0);
  EXPECT_TRUE(dialogs_.errors.empty());

  ASSERT_EQ(TimeScale(d)->Count(), 10);
  EXPECT_EQ(TimeScale(d)->title().toStdString(), "мс/деление");
  EXPECT_EQ(TimeScale(d)->Item(0)->text().toStdString(), "0.5");
  EXPECT_EQ(TimeScale(d)->Item(9)->text().toStdString(), "500");
  // Two columns: the sixth item heads the second.
  EXPECT_EQ(TimeScale(d)->Item(5)->y(), TimeScale(d)->Item(0)->y());
  EXPECT_GT(TimeScale(d)->Item(5)->x(), TimeScale(d)->Item(4)->x());
  EXPECT_EQ(TimeScale(d)->ItemIndex(), 3);
  EXPECT_TRUE(TimeScale(d)->isEnabled());

  EXPECT_FALSE(VoltScale(d)->isEnabled());
  EXPECT_EQ(VoltScale(d)->title().toStdString(), "Вольт/деление");
  EXPECT_EQ(VoltScale(d)->Item(2)->text().toStdString(), "  1");
  EXPECT_EQ(VoltScale(d)->ItemIndex(), 1);
  EXPECT_FALSE(Divider(d)->isEnabled());
  EXPECT_EQ(Divider(d)->title().toStdString(), "Входной делитель");
  EXPECT_EQ(Divider(d)->Item(1)->text().toStdString(), "1 : 10");
  EXPECT_EQ(Divider(d)->ItemIndex(), 0);

  // The trigger arrows (level 2.5 V at 0.5 V a division: y 96), the trigger
  // time under sample 32, the trace over the grid.
  EXPECT_EQ(Pixel(d, 0, 96), 0x00FFFFu);
  EXPECT_EQ(Pixel(d, 1001, 96), 0x00FFFFu);
  EXPECT_EQ(Pixel(d, 64, 254), 0xFF00FFu);
  EXPECT_EQ(Pixel(d, 32, 97), 0xFFFF00u) << "sample 0, 128 units";
  EXPECT_EQ(Pixel(d, 160, 0), 0x808080u);
  EXPECT_EQ(Pixel(d, 1001, 0), 0x000000u) << "the top line stops short of its end";
}

TEST_F(OscDialogTest, DividerOfPart2RenamesTheVoltItems) {
  mk_.OscHeader2()[7] = 1;
  Open();
  EXPECT_EQ(VoltScale(*dialog_)->Item(0)->text().toStdString(), "  2");
  EXPECT_EQ(VoltScale(*dialog_)->Item(2)->text().toStdString(), " 10");
}

TEST_F(OscDialogTest, ScrollingMovesTheTriggerMarker) {
  TMK_ViewOscDlg& d = Open();
  ScrollBar(d)->setValue(-32);
  EXPECT_EQ(d.View().offset, -32);
  EXPECT_EQ(Pixel(d, 96, 254), 0xFF00FFu);
  EXPECT_NE(Pixel(d, 64, 254), 0xFF00FFu);
  EXPECT_TRUE(ScrollBar(d)->hasFocus()) << "the keyboard scrolls at once";
  QTest::keyClick(ScrollBar(d), Qt::Key_PageDown);
  EXPECT_EQ(d.View().offset, 0) << "a large step is one division";
  QTest::keyClick(ScrollBar(d), Qt::Key_Right);
  EXPECT_EQ(d.View().offset, 1) << "the right arrow moves on along the trace";
  QTest::keyClick(ScrollBar(d), Qt::Key_Left);
  EXPECT_EQ(d.View().offset, 0);
  QTest::keyClick(ScrollBar(d), Qt::Key_End);
  EXPECT_EQ(d.View().offset, 992);
  QTest::keyClick(ScrollBar(d), Qt::Key_Left);
  EXPECT_EQ(d.View().offset, 991);
}

TEST_F(OscDialogTest, ATimeScaleClickGoesToTheModelsHeaderNeverToTheImage) {
  TMK_ViewOscDlg& d = Open();
  ScrollBar(d)->setValue(32);
  const std::uint8_t in_image = mk_.Image()[kPart1];
  TimeScale(d)->Item(5)->click();  // 20 ms a division, taken at 5: a quarter
  EXPECT_EQ(mk_.OscHeader1()[0], 5);
  EXPECT_EQ(mk_.Image()[kPart1], in_image);
  EXPECT_EQ(d.View().base_time_index, 3) << "the samples' own rate stays";
  EXPECT_EQ(Pixel(d, 56, 254), 0xFF00FFu) << "64 - 32 / 4";
  EXPECT_TRUE(dialogs_.errors.empty());
}

TEST_F(OscDialogTest, EscCloses) {
  TMK_ViewOscDlg& d = Open();
  ASSERT_TRUE(d.isVisible());
  QTest::keyClick(ScrollBar(d), Qt::Key_Escape);
  EXPECT_FALSE(d.isVisible());
}

TEST_F(OscDialogTest, ARecordingThatCannotBeDrawnGetsTheErrorBoxAndTheDialogStaysOpen) {
  std::vector<std::uint8_t> image = FactoryImage();
  image[kPart2 + 7] = 3;  // part 2's divider
  Load(image);
  TMK_ViewOscDlg& d = Open();
  ASSERT_EQ(dialogs_.errors.size(), 1u);
  EXPECT_EQ(dialogs_.errors[0], "Ошибка проверки диапазона: входной делитель 3 вне 0…2.");
  EXPECT_TRUE(d.isVisible());
  TimeScale(d)->Item(1)->click();
  EXPECT_EQ(dialogs_.errors.size(), 2u);
  EXPECT_TRUE(d.isVisible());
  EXPECT_EQ(mk_.OscHeader1()[0], 1) << "the click still reaches the model";
}

TEST_F(OscDialogTest, ATimeScaleOutOfItsTableOpensNothing) {
  mk_.OscHeader1()[0] = 10;
  EXPECT_THROW(TMK_ViewOscDlg(mk_, dialogs_, "."), RangeError);
}

TEST_F(OscDialogTest, SaveWritesTheTraceTextWhereTheUserChose) {
  TMK_ViewOscDlg& d = Open();
  const auto path = folder_.path() / "trace.txt";
  dialogs_.text_paths.push_back(path.string());
  SaveButton(d)->click();
  ASSERT_EQ(dialogs_.text_folders.size(), 1u);
  EXPECT_EQ(dialogs_.text_folders[0], folder_.path().string()) << "the program's folder";
  const std::string expected =
      text::Utf8ToCp1251(scope::TraceText(scope::OscRecording::Of(mk_), d.View()));
  EXPECT_EQ(tests::ReadText(path), expected);
  EXPECT_EQ(SaveButton(d)->text().toStdString(), "Сохранить в файл");

  dialogs_.text_paths.push_back(std::nullopt);  // cancelled
  SaveButton(d)->click();
  dialogs_.text_paths.push_back((folder_.path() / "нет" / "trace.txt").string());
  SaveButton(d)->click();
  ASSERT_EQ(dialogs_.errors.size(), 1u);
  EXPECT_NE(dialogs_.errors[0].find("trace.txt"), std::string::npos);
  EXPECT_TRUE(d.isVisible());
}

TEST_F(OscDialogTest, ThePointerOverTheTraceShowsItsSample) {
  TMK_ViewOscDlg& d = Open();
  emit Picture(d)->PointerMoved(64);
  EXPECT_EQ(Readout(d)->text().toStdString(),
            scope::PointerReadout(scope::OscRecording::Of(mk_), d.View(), 64));
  EXPECT_EQ(Readout(d)->text().left(10).toStdString(), "Отсчёт 32:");
  // The trace moves under a pointer held still: the readout follows.
  ScrollBar(d)->setValue(1);
  EXPECT_EQ(Readout(d)->text().left(10).toStdString(), "Отсчёт 33:");
  TimeScale(d)->Item(4)->click();  // 10 ms a division, taken at 5: half as wide
  EXPECT_EQ(Readout(d)->text().left(10).toStdString(), "Отсчёт 33:") << "x 64 keeps the trigger";
  emit Picture(d)->PointerMoved(66);
  EXPECT_EQ(Readout(d)->text().left(10).toStdString(), "Отсчёт 37:");
  emit Picture(d)->PointerLeft();
  EXPECT_TRUE(Readout(d)->text().isEmpty());
  ScrollBar(d)->setValue(2);
  EXPECT_TRUE(Readout(d)->text().isEmpty()) << "no pointer, no readout";
}

}  // namespace
}  // namespace mk::viewers
