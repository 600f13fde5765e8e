// SPDX-License-Identifier: GPL-3.0-or-later
// The main window by keyboard: Alt and a button's underlined letter, the key
// combinations shown on the buttons, F1 for help and F10 for the menu.
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "app_fixture.h"

namespace mk::app::test {
namespace {

TEST_F(MainFormTest, EveryButtonAnswersItsLetterAndItsKeysAsShown) {
  mk_ports_ = {3};
  const std::string good = WriteSettingsFile("good.vrnkp", 1, LaidOutImage());
  const struct {
    const char* button;
    QKeySequence keys;  // empty: none besides the letter
    QChar letter;       // after Alt, as the caption underlines it
  } cases[] = {
      {"bGetParams", QKeySequence(Qt::CTRL | Qt::Key_R), QChar(u'С')},
      {"bLoadParams", QKeySequence::Open, QChar(u'Ф')},
      {"bEditParams", QKeySequence(Qt::CTRL | Qt::Key_E), QChar(u'Р')},
      {"bViewJournals", {}, QChar(u'Ж')},
      {"bViewOsc", {}, QChar(u'О')},
      {"bSaveParams", QKeySequence::Save, QChar(u'Д')},
      {"bSetParams", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M), QChar(u'З')},
  };
  TMainForm& form = Show();
  QApplication::setActiveWindow(&form);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
  dialogs_.open_paths = {good};
  Click("bLoadParams");
  for (const auto& c : cases) {
    QPushButton* button = Find(c.button);
    int clicks = 0;
    const auto counter = QObject::connect(button, &QPushButton::clicked, [&clicks] { ++clicks; });
    // The handlers' boxes and windows are answered by the doubles at once.
    dialogs_.open_paths = {std::nullopt};
    dialogs_.save_paths = {std::nullopt};
    const QString caption = button->text();
    EXPECT_EQ(caption.count('&'), 1) << c.button;
    EXPECT_EQ(caption.at(caption.indexOf('&') + 1).toUpper(), c.letter) << c.button;
    QTest::keyClick(&form, static_cast<Qt::Key>(c.letter.unicode()), Qt::AltModifier);
    EXPECT_EQ(clicks, 1) << c.button << ": Alt+letter";
    if (!c.keys.isEmpty()) {
      const QKeyCombination combination = c.keys[0];
      QTest::keyClick(&form, combination.key(), combination.keyboardModifiers());
      EXPECT_EQ(clicks, 2) << c.button << ": " << c.keys.toString().toStdString();
      const auto* shown = button->findChild<QLabel*>();
      ASSERT_NE(shown, nullptr) << c.button;
      EXPECT_TRUE(shown->isVisible()) << c.button;
      EXPECT_EQ(shown->text(), c.keys.toString(QKeySequence::NativeText)) << c.button;
    }
    QObject::disconnect(counter);
  }

  QTest::keyClick(&form, Qt::Key_F1);
  ASSERT_EQ(dialogs_.infos.size(), 1u);
  EXPECT_NE(dialogs_.infos[0].find("Шаг 1"), std::string::npos) << dialogs_.infos[0];
  EXPECT_NE(dialogs_.infos[0].find("F10"), std::string::npos) << dialogs_.infos[0];

  EXPECT_EQ(form.menuBar()->activeAction(), nullptr);
  QTest::keyClick(&form, Qt::Key_F10);
  EXPECT_NE(form.menuBar()->activeAction(), nullptr);
}

}  // namespace
}  // namespace mk::app::test
