// SPDX-License-Identifier: GPL-3.0-or-later
// A picture of the page "Бак" for docs/: run by hand under a real X display
// (Xvfb with a window manager), skipped otherwise:
//   MK_SCREENSHOTS=DIR QT_QPA_PLATFORM=xcb DISPLAY=:N tests_editor --gtest_filter='TankScreenshot*'
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QtTest/QTest>

#include <cstdlib>

#include "editor_fixture.h"

namespace mk::editor::test {
namespace {

class TankScreenshot : public EditorTest {};

TEST_F(TankScreenshot, FactoryCalibration) {
  const char* dir = std::getenv("MK_SCREENSHOTS");
  if (dir == nullptr || QGuiApplication::platformName() != "xcb") {
    GTEST_SKIP() << "set MK_SCREENSHOTS and run on an X display";
  }
  Load();
  Show();
  dialog->move(10, 10);
  dialog->PageControl()->setCurrentWidget(dialog->PageOf(settings::Page::Tank));
  QTest::qWait(1000);
  // The whole screen as the window manager shows it, cut to the dialog's frame.
  const QPixmap shot =
      QGuiApplication::primaryScreen()->grabWindow(0).copy(dialog->frameGeometry());
  ASSERT_TRUE(shot.save(QString::fromUtf8(dir) + "/tsOil.png"));
}

}  // namespace
}  // namespace mk::editor::test
