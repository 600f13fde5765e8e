// SPDX-License-Identifier: GPL-3.0-or-later
// The main window comes back active after the windows it opened, every
// button and menu is reached by its own Alt letter, F1 and F10 reach the menus,
// and the program's font is a face the system has, never a serif fallback.
#include <QCheckBox>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <set>

#include "app/system_font.h"
#include "app_fixture.h"

namespace mk::app::test {
namespace {

TEST_F(MainFormTest, TheWindowIsActiveAgainOnceTheWindowsItOpenedAreGone) {
  // Each opened window takes the focus and leaves without giving it back.
  const widgets::WindowRun elsewhere = [](device::TMK&, const widgets::WindowEnvironment&) {
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    return widgets::WindowOutcome{.accepted = false, .changed = false};
  };
  services_.edit_dialog = services_.journals_dialog = services_.osc_dialog = elsewhere;
  const std::string good = WriteSettingsFile("good.vrnkp", 1, LaidOutImage());
  TMainForm& form = Show();
  dialogs_.open_paths = {good};
  Click("bLoadParams");
  for (const char* button : {"bEditParams", "bViewJournals", "bViewOsc"}) {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    Click(button);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form, 2000)) << button;
  }
}

TEST_F(MainFormTest, EveryButtonAndMenuHasItsOwnAltLetterAndF1F10ReachTheMenus) {
  mk_ports_ = {3};
  TMainForm& form = Show();
  form.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  std::vector<QString> captions;
  for (auto* button : form.findChildren<QAbstractButton*>()) {
    if (button->isVisibleTo(&form)) captions.push_back(button->text());
  }
  for (QAction* menu : form.menuBar()->actions()) captions.push_back(menu->text());
  std::set<QChar> letters;
  for (const QString& caption : captions) {
    const QKeySequence keys = QKeySequence::mnemonic(caption);
    EXPECT_FALSE(keys.isEmpty()) << caption.toStdString();
    EXPECT_TRUE(keys.isEmpty() ||
                letters.insert(caption[caption.indexOf('&') + 1].toLower()).second)
        << "shared Alt letter: " << caption.toStdString();
  }
  // Alt and the letter press the button.
  const QKeyCombination read = QKeySequence::mnemonic(Find<QPushButton>("bGetParams")->text())[0];
  QTest::sendKeyEvent(QTest::Click, &form, read.key(), QString(QChar(read.key())).toLower(),
                      read.keyboardModifiers());
  EXPECT_TRUE(QTest::qWaitFor([this] { return reads_ == 1; }, 1000));  // pressed, then let go
  QTest::keyClick(&form, Qt::Key_F1);
  EXPECT_EQ(dialogs_.infos.size(), 1u);
  QTest::keyClick(&form, Qt::Key_F10);
  EXPECT_NE(form.menuBar()->activeAction(), nullptr);
}

TEST(SystemFont, TheFamilyIsOneTheSystemHas) {
  const struct {
    const char* wanted;
    QStringList installed;
    const char* chosen;
  } cases[] = {
      {"Segoe UI", {"Arial", "segoe ui"}, "Segoe UI"},
      {"MS Shell Dlg 2", {"Times New Roman", "Tahoma", "Arial"}, "Tahoma"},
      {"Segoe UI", {"Liberation Serif", "DejaVu Sans"}, "DejaVu Sans"},
      {"Segoe UI", {"Liberation Serif"}, "Segoe UI"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseUiFamily(c.wanted, c.installed).toStdString(), c.chosen) << c.wanted;
  }
}

}  // namespace
}  // namespace mk::app::test
