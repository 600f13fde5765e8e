// SPDX-License-Identifier: GPL-3.0-or-later
// The window tests need one QApplication that lives exactly as long as main,
// so it is made here rather than in a static (which would outlive Qt's own).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
