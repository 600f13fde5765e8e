// SPDX-License-Identifier: GPL-3.0-or-later
// Edited, unsaved settings are never dropped unasked: closing, a read and a
// file load ask Да / Нет / Отмена, and only Нет or a finished save go on.
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include "app_fixture.h"

namespace mk::app::test {
namespace {
using widgets::Reply;

enum class Step { Close, Read, Load };
constexpr const char* kStepNames[] = {"close", "read", "load"};

struct Case {
  const char* name;
  Reply reply;
  bool save_chosen;  // Да: the save dialog is given a file, else cancelled
  bool goes_on;
};

TEST_F(MainFormTest, UnsavedEditsAreReplacedOrLeftOnlyAfterNoOrAFinishedSave) {
  const Case cases[] = {
      {"cancel", Reply::Cancel, false, false},
      {"yes, save dialog cancelled", Reply::Yes, false, false},
      {"yes, saved", Reply::Yes, true, true},
      {"no", Reply::No, false, true},
  };
  mk_ports_ = {3};
  const std::string held = WriteSettingsFile("held.vrnkp", 1, LaidOutImage(1));
  const std::string other = WriteSettingsFile("other.vrnkp", 1, LaidOutImage(2));
  for (const Step step : {Step::Close, Step::Read, Step::Load}) {
    for (const Case& c : cases) {
      const std::string name = std::string(kStepNames[static_cast<int>(step)]) + ", " + c.name;
      reads_ = 0;
      dialogs_.questions.clear();
      TMainForm& form = Show();
      dialogs_.open_paths = {held};
      Click("bLoadParams");
      Click("bEditParams");
      ASSERT_TRUE(form.IsModified());

      const auto saved = Dir() / "saved.vrnkp";
      std::filesystem::remove(saved);
      dialogs_.replies = {c.reply};
      dialogs_.save_paths = {c.save_chosen ? std::optional(saved.string()) : std::nullopt};
      dialogs_.open_paths = {other};
      bool went_on = false;
      switch (step) {
        case Step::Close:
          went_on = form.close() && !form.isVisible();
          break;
        case Step::Read:
          Click("bGetParams");
          went_on = reads_ == 1;
          break;
        case Step::Load:
          Click("bLoadParams");
          went_on = form.Device()->Image() == LaidOutImage(2);
          break;
      }
      EXPECT_EQ(dialogs_.questions, std::vector<std::string>{kUnsavedQuestion}) << name;
      EXPECT_EQ(went_on, c.goes_on) << name;
      EXPECT_EQ(std::filesystem::exists(saved), c.save_chosen) << name;
      if (!c.goes_on) {
        EXPECT_TRUE(form.IsModified()) << name;
        EXPECT_EQ(form.Device()->Image(), LaidOutImage(1)) << name;
      }
      dialogs_.replies = {Reply::No};
      form_->close();
      form_.reset();
    }
  }
}

// The real box: Esc and its close button call it off, Enter answers Да.
TEST(QtDialogs, TheThreeAnswerQuestionTakesEscAndTheCloseBoxAsCancel) {
  App();
  const struct {
    const char* name;
    std::function<void(QMessageBox&)> act;
    Reply reply;
  } cases[] = {
      {"Esc", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, Reply::Cancel},
      {"close box", [](QMessageBox& box) { box.close(); }, Reply::Cancel},
      {"Enter", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Return); }, Reply::Yes},
  };
  for (const auto& c : cases) {
    QTimer::singleShot(0, [&c] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr) << c.name;
      EXPECT_EQ(box->buttons().size(), 3) << c.name;
      c.act(*box);
    });
    widgets::QtDialogs dialogs;
    EXPECT_EQ(dialogs.AskYesNoCancel(kUnsavedQuestion), c.reply) << c.name;
  }
}

}  // namespace
}  // namespace mk::app::test
