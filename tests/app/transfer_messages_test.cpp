// SPDX-License-Identifier: GPL-3.0-or-later
// Every box of a transfer comes once its progress window is gone, in front of
// the main window; a question meanwhile hides the progress window.
#include <QApplication>
#include <QPushButton>

#include "app_fixture.h"
#include "link/vl_rs.h"
#include "text/error.h"

namespace mk::app::test {
namespace {

class TransferMessagesTest : public MainFormTest {
 protected:
  void SetUp() override {
    MainFormTest::SetUp();
    mk_ports_ = {3};
    dialogs_.on_box = [this](const std::string& box) {
      shown.push_back(box);
      under_progress.push_back(VisibleProgressForm() != nullptr);
    };
  }
  /// Shows the window holding the settings of a file.
  void ShowLoaded() {
    Show();
    dialogs_.open_paths = {WriteSettingsFile("good.vrnkp", 1, LaidOutImage())};
    Click("bLoadParams");
    shown.clear();
    under_progress.clear();
  }

  std::vector<std::string> shown;    // every box, in order
  std::vector<bool> under_progress;  // whether a progress window was on screen then
};

TEST_F(TransferMessagesTest, TheWritesResultComesAfterTheProgressWindowIsGone) {
  services_.write_settings = [](link::TVL_RS&, device::TMK&, link::IProgress& progress,
                                link::IPump&, link::IUserPrompt& prompt, device::Connection*,
                                const device::WriteOptions&) {
    progress.SetLabel("Запись настроек...");
    progress.SetGauge(100);
    prompt.ShowInfo("Настройки записаны в МК");
    return device::TransferResult::Done;
  };
  ShowLoaded();
  Click("bSetParams");
  ASSERT_EQ(shown, std::vector<std::string>{"info: Настройки записаны в МК"});
  EXPECT_FALSE(under_progress[0]);
  EXPECT_EQ(VisibleProgressForm(), nullptr);
}

TEST_F(TransferMessagesTest, VersionAndLinkErrorsComeAfterTheProgressWindowToo) {
  services_.write_settings = [](link::TVL_RS&, device::TMK&, link::IProgress&, link::IPump&,
                                link::IUserPrompt& prompt, device::Connection*,
                                const device::WriteOptions&) {
    prompt.ShowError("Версия настроек не совпадает с версией устройства!");
    return device::TransferResult::Refused;
  };
  ShowLoaded();
  Click("bSetParams");
  services_.read_settings = [](link::TVL_RS&, device::TMK&, link::IProgress&, link::IPump&,
                               device::Connection*) -> device::TransferResult {
    throw Error(link::kNoLink);
  };
  form_.reset();
  ShowLoaded();
  Click("bGetParams");
  ASSERT_EQ(shown, std::vector<std::string>{"error: " + std::string(link::kNoLink)});
  EXPECT_FALSE(under_progress[0]);
}

TEST_F(TransferMessagesTest, MessagesKeepTheirOrderAndAQuestionHidesTheProgressWindow) {
  bool answer = false;
  services_.write_settings = [&answer](link::TVL_RS&, device::TMK&, link::IProgress&, link::IPump&,
                                       link::IUserPrompt& prompt, device::Connection*,
                                       const device::WriteOptions&) {
    prompt.ShowError("первое");
    answer = prompt.AskYesNo("вопрос?");
    EXPECT_NE(VisibleProgressForm(), nullptr) << "the progress window is back after the question";
    prompt.ShowInfo("второе");
    throw Error("третье");
    return device::TransferResult::Done;
  };
  dialogs_.answers = {true};
  ShowLoaded();
  Click("bSetParams");
  EXPECT_TRUE(answer);
  EXPECT_EQ(shown, (std::vector<std::string>{"question: вопрос?", "error: первое", "info: второе",
                                             "error: третье"}));
  EXPECT_EQ(under_progress, (std::vector<bool>{false, false, false, false}));
}

}  // namespace
}  // namespace mk::app::test
