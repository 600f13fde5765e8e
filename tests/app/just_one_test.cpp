// SPDX-License-Identifier: GPL-3.0-or-later
// The single-instance guard, in one process and as a second program copy.
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>

#include <filesystem>
#include <string>
#include <vector>

#include "app/just_one.h"
#include "app_fixture.h"

namespace mk::app::test {
namespace {

std::string UniqueName(const char* what) {
  return std::string("mkconfig-test-") + what + "-" +
         std::to_string(QCoreApplication::applicationPid());
}

TEST(JustOne, OnlyOneHolderAtATimeAndTheLockIsFreedWithIt) {
  const std::string name = UniqueName("guard");
  {
    TJustOne first(name);
    EXPECT_TRUE(first.OwnsLock());
    TJustOne second(name);
    EXPECT_FALSE(second.OwnsLock());
    TJustOne other(name + "-other");
    EXPECT_TRUE(other.OwnsLock());
  }
  TJustOne again(name);
  EXPECT_TRUE(again.OwnsLock());
}

TEST(JustOne, ASecondProgramCopyEndsBeforeShowingAnything) {
  App();
  const std::string program = std::string(MK_BIN_DIR) + "/mkconfig";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "mkconfig is not built";
  const std::string name = UniqueName("program");
  TJustOne running(name);
  ASSERT_TRUE(running.OwnsLock());

  QTemporaryDir dir;
  const QString ini = dir.filePath("mkconfig.ini");
  QProcess second;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  second.setProcessEnvironment(env);
  second.start(QString::fromStdString(program),
               {"--ini", ini, "--lock-name", QString::fromStdString(name)});
  ASSERT_TRUE(second.waitForFinished(30000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  // It never got as far as its preferences.
  EXPECT_FALSE(std::filesystem::exists(ini.toStdString()));
}

TEST(JustOne, ALaterCopyWakesTheFirstThroughItsDoor) {
  App();
  const std::string name = UniqueName("door");
  TJustOne first(name);
  ASSERT_TRUE(first.OwnsLock());
  std::vector<std::string> files;
  ASSERT_TRUE(first.OnLaterCopy([&files](const std::string& file) { files.push_back(file); }));

  TJustOne second(name);
  ASSERT_FALSE(second.OwnsLock());
  EXPECT_FALSE(second.OnLaterCopy([](const std::string&) {})) << "only the owner opens the door";
  // With no file, with one whose name has spaces, Cyrillic and a 'W', and a long one.
  const std::vector<std::string> handed = {"", "/home/u/Мои настройки W.vrnkp",
                                           "/tmp/" + std::string(5000, 'x') + ".vrnkp"};
  for (std::size_t copy = 1; copy <= handed.size(); ++copy) {
    EXPECT_TRUE(second.WakeFirstCopy(handed[copy - 1]));
    QDeadlineTimer deadline(5000);
    while (files.size() < copy && !deadline.hasExpired()) QCoreApplication::processEvents();
  }
  EXPECT_EQ(files, handed);
  EXPECT_FALSE(TJustOne(name + "-nobody").WakeFirstCopy({}, 200)) << "no first copy, no answer";
}

TEST(JustOne, ASecondProgramCopyBringsTheFirstToTheFrontWithItsFile) {
  App();
  const std::string program = std::string(MK_BIN_DIR) + "/mkconfig";
  if (!std::filesystem::exists(program)) GTEST_SKIP() << "mkconfig is not built";
  const std::string name = UniqueName("wake");
  TJustOne running(name);
  ASSERT_TRUE(running.OwnsLock());
  bool woken = false;
  std::string file;
  ASSERT_TRUE(running.OnLaterCopy([&woken, &file](const std::string& handed) {
    woken = true;
    file = handed;
  }));

  QTemporaryDir dir;
  QProcess second;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("QT_QPA_PLATFORM", "offscreen");
  second.setProcessEnvironment(env);
  // A file named relative to the second copy's folder reaches the first whole.
  second.setWorkingDirectory(dir.path());
  second.start(QString::fromStdString(program),
               {"--ini", dir.filePath("mkconfig.ini"), "--lock-name", QString::fromStdString(name),
                "Поездка.vrnkp"});
  ASSERT_TRUE(second.waitForStarted(30000)) << second.errorString().toStdString();
  QDeadlineTimer deadline(30000);
  while (second.state() != QProcess::NotRunning && !deadline.hasExpired()) {
    QCoreApplication::processEvents();
    second.waitForFinished(10);
  }
  // The second copy may end before the first has read its knock on the door:
  // the message waits in the socket until the event loop gets to it.
  QDeadlineTimer knock(5000);
  while (!woken && !knock.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_TRUE(woken);
  EXPECT_EQ(file, dir.filePath("Поездка.vrnkp").toStdString());
  EXPECT_FALSE(std::filesystem::exists(dir.filePath("mkconfig.ini").toStdString()))
      << "it ends before it shows anything";
}

}  // namespace
}  // namespace mk::app::test
