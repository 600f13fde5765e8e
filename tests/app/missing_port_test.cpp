// SPDX-License-Identifier: GPL-3.0-or-later
// A chosen port that is gone or cannot be opened: every click says so (or
// offers the choice), none does nothing, and the start says it once.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>

#include "app/port_dialog.h"
#include "app_fixture.h"
#include "link/vl_rs.h"

namespace mk::app::test {
namespace {

using Texts = std::vector<std::string>;

TEST_F(MainFormTest, NoPortAtAllIsReportedOnceAtStartAndAtEveryClick) {
  present_ = {};
  WriteIni("[RS232]\r\nPort=1\r\n[Common]\r\nAuto=0\r\n");
  TMainForm& form = Show();
  EXPECT_EQ(dialogs_.errors, Texts{link::kNoFreePort});
  for (int click = 0; click < 3; ++click) {
    dialogs_.errors.clear();
    Click("bGetParams");
    EXPECT_EQ(dialogs_.errors, Texts{link::kNoFreePort}) << click;
    EXPECT_EQ(reads_, 0);
    EXPECT_EQ(VisibleProgressForm(), nullptr);
    dialogs_.errors.clear();
    Click("bRS232");
    EXPECT_EQ(dialogs_.errors, Texts{link::kNoFreePort}) << click;
  }
  Click("cbAuto");
  for (int click = 0; click < 2; ++click) {
    dialogs_.errors.clear();
    Click("bGetParams");
    EXPECT_EQ(dialogs_.errors, Texts{"Не вижу МК."}) << click;
  }
  EXPECT_FALSE(form.Busy());
}

TEST_F(MainFormTest, APortThatWillNotOpenIsNamedInsteadOfLookingForTheMkForever) {
  present_ = {1, 3};
  unopenable_ = {3};
  WriteIni("[RS232]\r\nPort=3\r\n[Common]\r\nAuto=0\r\n");
  TMainForm& form = Show();
  dialogs_.errors.clear();
  for (int click = 0; click < 2; ++click) {
    dialogs_.errors.clear();
    Click("bGetParams");
    EXPECT_EQ(dialogs_.errors, Texts{"Не могу открыть порт COM3."});
    EXPECT_EQ(reads_, 0);
    EXPECT_EQ(VisibleProgressForm(), nullptr);
  }
  // The choice is still offered, and a port that opens reads.
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TVL_RS232_SetNumDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    dialog->PCB->setCurrentIndex(0);
    dialog->OKBtn->click();
  });
  Click("bRS232");
  ASSERT_EQ(form.Channel()->PortNumber(), 1);
  dialogs_.errors.clear();
  Click("bGetParams");
  EXPECT_EQ(dialogs_.errors, Texts{});
  EXPECT_EQ(reads_, 1);
}

}  // namespace
}  // namespace mk::app::test
