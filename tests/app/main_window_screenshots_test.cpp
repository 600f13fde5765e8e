// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the main window for docs/: run by hand under a real X display
// (Xvfb with a window manager), skipped otherwise:
//   MK_SCREENSHOTS=DIR QT_QPA_PLATFORM=xcb DISPLAY=:N tests_app --gtest_filter='*Screenshots*'
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <QtTest/QTest>

#include <cstdlib>

#include "app/russian_texts.h"
#include "app_fixture.h"
#include "support/laid_out_image.h"

namespace mk::app::test {
namespace {

// The main window with its letters and keys, and the question before it
// closes over unsaved edits, with the real boxes.
TEST_F(MainFormTest, ScreenshotsOfTheMainWindowAndTheClosingQuestion) {
  const char* dir = std::getenv("MK_SCREENSHOTS");
  if (dir == nullptr || QGuiApplication::platformName() != "xcb") {
    GTEST_SKIP() << "set MK_SCREENSHOTS and run on an X display";
  }
  QTranslator* russian = InstallRussianTexts(App());
  services_.dialogs = nullptr;
  services_.settings_file = WriteSettingsFile("Поездка.vrnkp", 1, tests::LaidOutDefaults().Image());
  TMainForm& form = Show();
  form.move(10, 10);
  QTest::qWait(300);
  Click("bEditParams");
  QTest::qWait(500);
  const QPixmap window = QGuiApplication::primaryScreen()->grabWindow(0).copy(form.frameGeometry());
  ASSERT_TRUE(window.save(QString::fromUtf8(dir) + "/main-window.png"));
  QTimer::singleShot(700, [dir] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0).copy(box->frameGeometry());
    EXPECT_TRUE(shot.save(QString::fromUtf8(dir) + "/closing-question.png"));
    QTest::keyClick(box, Qt::Key_Escape);
  });
  EXPECT_FALSE(form.close()) << "Esc keeps the window and the edits";
  EXPECT_TRUE(form.IsModified());
  // Closed without the question: the edits are left for this picture only.
  form_.reset();
  QCoreApplication::removeTranslator(russian);
  delete russian;
}

}  // namespace
}  // namespace mk::app::test
