// SPDX-License-Identifier: GPL-3.0-or-later
// What a user types reaches the image or is refused in words: stepped spin
// edits round to their step, times and dates refuse letters with the same tool
// tip, and Esc right after typing
// asks about the typed value with the other changes.
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QTest>
#include <QToolTip>

#include "editor_fixture.h"
#include "settings/setting_table.h"
#include "settings/setting_value.h"

namespace mk::editor::test {
namespace {

class TypedInputTest : public EditorTest {
 protected:
  void SetUp() override {
    Load();
    Show();
    QApplication::setActiveWindow(dialog.get());
  }
  void Leave() {
    dialog->SearchField()->setFocus();
    QApplication::processEvents();
  }
  double Stored(const char* name) {
    return settings::ShowNumber(*settings::FindSetting(name), mk, settings::Env::Of(mk));
  }
  // A tip no control shows, so a refusal's tip is seen to replace it.
  static void MarkTip() { QToolTip::showText(QPoint(0, 0), "·"); }
  static bool TipShown(const char* start) {
    return QToolTip::isVisible() && QToolTip::text().startsWith(QString::fromUtf8(start));
  }
  std::string StoredText(const char* name) {
    return settings::ShowText(*settings::FindSetting(name), mk);
  }
};

TEST_F(TypedInputTest, SteppedSpinEditsTakeTypedValuesOnTheirStepAndSaySoWhenRounded) {
  struct Case {
    const char* control;
    const char* typed;
    double stored;
    bool rounded;
  };
  const Case cases[] = {
      {"seVelocityLimit", "87", 88, true},  // 40 … 200, step 2
      {"seVelocityLimit", "120", 120, false},
      {"seTripMinStop", "12", 10, true},  // 0 … 995, step 5
      {"seParkStopLengBeep", "96", 100, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.control) + " " + c.typed);
    ASSERT_TRUE(dialog->GoToSetting(c.control));
    auto* spin = Find<QDoubleSpinBox>(c.control);
    MarkTip();
    Type(spin, c.typed);
    Leave();
    EXPECT_EQ(spin->value(), c.stored);
    EXPECT_EQ(Stored(c.control), c.stored);
    EXPECT_EQ(TipShown("Округлено до шага"), c.rounded) << QToolTip::text().toStdString();
  }
}

TEST_F(TypedInputTest, LettersInTimesAndDatesAreRefusedWithTheToolTipOfTheOtherControls) {
  for (const char* name : {"seRevolutionsLimit", "meIntenseDayTime", "deTO"}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(dialog->GoToSetting(name));
    QWidget* control = Find<QWidget>(name);
    MarkTip();
    control->setFocus();
    QTest::keyClicks(control, "x");
    EXPECT_TRUE(TipShown("Здесь можно ввести только число.")) << QToolTip::text().toStdString();
    EXPECT_TRUE(QToolTip::text().contains(QString::fromUtf8("Диапазон: ")));
  }
}

TEST_F(TypedInputTest, DatesTakeTypingAsSoonAsTheFocusArrives) {
  struct Case {
    const char* stored;  // before, "" for no date
    const char* typed;
  };
  const Case cases[] = {{"", "09.01.2027"},
                        {"05.05.20", "09.01.2027"},
                        {"", "9.1.27"},
                        {"05.05.20", "9.1.27"},
                        {"31.12.29", "090127"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.stored) + " " + c.typed);
    settings::CommitText(*settings::FindSetting("deTO"), mk, c.stored);
    Show();
    QApplication::setActiveWindow(dialog.get());
    ASSERT_TRUE(dialog->GoToSetting("deTO"));
    auto* date = Find<QDateEdit>("deTO");
    date->clearFocus();
    date->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(date, c.typed);
    Leave();
    EXPECT_EQ(StoredText("deTO"), "09.01.27");
  }
}

TEST_F(TypedInputTest, EscRightAfterTypingAsksAboutTheTypedValue) {
  auto* time = Find<QLineEdit>("meIntenseDayTime");
  ASSERT_TRUE(dialog->GoToSetting("meIntenseDayTime"));
  time->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(time, "12:34");
  prompt.answers = {false};
  QTest::keyClick(time, Qt::Key_Escape);
  ASSERT_EQ(prompt.questions.size(), 1u);
  EXPECT_EQ(prompt.questions[0], "Отменить изменения (1)?");
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(StoredText("meIntenseDayTime"), "12:34");
}

}  // namespace
}  // namespace mk::editor::test
