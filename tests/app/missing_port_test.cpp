// SPDX-License-Identifier: GPL-3.0-or-later
// A chosen port that is gone or cannot be opened: every click says so (or
// offers the choice), none does nothing, and the start says it in the window.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "app/port_dialog.h"
#include "app_fixture.h"
#include "link/vl_rs.h"
#include "platform/port_trouble.h"

namespace mk::app::test {
namespace {

using Texts = std::vector<std::string>;

TEST_F(MainFormTest, NoPortAtAllIsSaidInTheWindowAtStartAndAtEveryClick) {
  present_ = {};
  WriteIni("[RS232]\r\nPort=1\r\n[Common]\r\nAuto=0\r\n");
  TMainForm& form = Show();
  EXPECT_EQ(dialogs_.errors, Texts{}) << "no box before the window can be used";
  EXPECT_TRUE(Find<QLabel>("PortStatus")->isVisible());
  EXPECT_EQ(Find<QLabel>("PortStatus")->text().toStdString(), link::kNoFreePort);
  for (int click = 0; click < 2; ++click) {
    dialogs_.errors.clear();
    Click("bGetParams");
    EXPECT_EQ(dialogs_.errors, Texts{link::kNoFreePort}) << click;
    EXPECT_EQ(reads_, 0);
    EXPECT_EQ(VisibleProgressForm(), nullptr);
    // The port dialog opens and says it, with nothing for OK to take.
    std::string said;
    bool ok_enabled = true;
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<TVL_RS232_SetNumDlg*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      said = tests::FindNamed<QLabel>(*dialog, "Label1")->text().toStdString();
      ok_enabled = tests::FindNamed<QPushButton>(*dialog, "OKBtn")->isEnabled();
      tests::ClickNamed(*dialog, "CancelBtn");
    });
    Click("bRS232");
    EXPECT_EQ(said, link::kNoFreePort) << click;
    EXPECT_FALSE(ok_enabled) << click;
  }
  Click("cbAuto");
  dialogs_.errors.clear();
  Click("bGetParams");
  EXPECT_EQ(dialogs_.errors, Texts{"Не вижу МК."});
  EXPECT_FALSE(form.Busy());

  // A port that appears is found at the next look, and the line goes.
  present_ = {3};
  form_.reset();
  Show();
  EXPECT_FALSE(Find<QLabel>("PortStatus")->isVisible());
}

TEST_F(MainFormTest, APortThatWillNotOpenIsNamedInsteadOfLookingForTheMkForever) {
  present_ = {1, 3};
  unopenable_ = {3};
  WriteIni("[RS232]\r\nPort=3\r\n[Common]\r\nAuto=0\r\n");
  // The system's reason and what to do, with the whole check behind "Подробнее".
  services_.port_trouble = [](int n) {
    return platform::PortTroubleWithFix(n, "/dev/ttyACM0",
                                        {platform::PortState::kBusy, "занят другой программой"});
  };
  services_.connection_check = [] { return std::string("Порт /dev/ttyACM0 (МК) держит minicom"); };
  TMainForm& form = Show();
  dialogs_.errors.clear();
  for (int click = 0; click < 2; ++click) {
    dialogs_.errors.clear();
    Click("bGetParams");
    ASSERT_EQ(dialogs_.errors.size(), 1u);
    EXPECT_EQ(dialogs_.errors[0].rfind("Порт COM3 (/dev/ttyACM0) недоступен: занят другой "
                                       "программой.\nЗакройте программу, которая держит порт",
                                       0),
              0u)
        << dialogs_.errors[0];
    EXPECT_EQ(dialogs_.error_details.back(), "Порт /dev/ttyACM0 (МК) держит minicom");
    EXPECT_EQ(reads_, 0);
    EXPECT_EQ(VisibleProgressForm(), nullptr);
  }
  // The choice is still offered, and a port that opens reads.
  QTimer::singleShot(0, [] {
    auto* dialog = qobject_cast<TVL_RS232_SetNumDlg*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    tests::FindNamed<QComboBox>(*dialog, "PCB")->setCurrentIndex(0);
    tests::ClickNamed(*dialog, "OKBtn");
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
