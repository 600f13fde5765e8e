// SPDX-License-Identifier: GPL-3.0-or-later
// The preferences file: first run, what exit writes, placement rules, damaged
// files, atomic saves and where the file lives.
#include <QCheckBox>
#include <QPushButton>
#include <QWidget>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/m_ini_file.h"
#include "app_fixture.h"
#include "platform/prefs_path.h"
#include "text/error.h"

namespace mk::app::test {
namespace {

namespace fs = std::filesystem;

TEST_F(MainFormTest, FirstRunCreatesASingleSpaceLineAndExitWritesThreeSections) {
  ASSERT_FALSE(fs::exists(IniPath()));
  TMainForm& form = Show();
  EXPECT_EQ(ReadIni(), " \r\n");
  // Defaults: automatic search on, the lowest present port.
  EXPECT_TRUE(Find<QCheckBox>("cbAuto")->isChecked());
  EXPECT_EQ(form.Channel()->PortNumber(), 1);
  form.close();
  const std::string text = ReadIni();
  const auto rs232 = text.find("[RS232]");
  const auto common = text.find("[Common]");
  const auto window = text.find("[MainWindow]");
  ASSERT_NE(rs232, std::string::npos);
  ASSERT_NE(common, std::string::npos);
  ASSERT_NE(window, std::string::npos);
  EXPECT_NE(text.find("Port=1"), std::string::npos);
  EXPECT_NE(text.find("Auto=1"), std::string::npos);
  // The placement keys in their order.
  std::size_t at = window;
  for (const char* key : {"State=", "Left=", "Top=", "Width=", "Height="}) {
    const auto next = text.find(key, at);
    ASSERT_NE(next, std::string::npos) << key;
    at = next;
  }
}

TEST_F(MainFormTest, ExitKeepsOtherSectionsAndStoresTheChoices) {
  WriteIni("[Ports]\r\nCOM1=/dev/pts/7\r\n[Common]\r\nAuto=1\r\n");
  TMainForm& form = Show();
  Click("cbAuto");
  form.close();
  const std::string text = ReadIni();
  EXPECT_NE(text.find("COM1=/dev/pts/7"), std::string::npos);
  EXPECT_NE(text.find("Auto=0"), std::string::npos);
}

TEST_F(MainFormTest, TheAddressThatAnsweredOnAPortIsGuessedFirstThereAndKept) {
  WriteIni("[RS232]\r\nPort=3\r\nAddress3=254\r\n");
  mk_ports_ = {3};
  std::vector<int> guesses;
  services_.read_settings = [&](link::TVL_RS&, device::TMK&, link::IProgress&, link::IPump&,
                                device::Connection* found) {
    guesses.push_back(found->DeviceAddress);
    found->DeviceAddress = 253;  // the MK answered there this time
    return device::TransferResult::Done;
  };
  TMainForm& form = Show();
  Click("bGetParams");
  Click("bGetParams");
  EXPECT_EQ(guesses, (std::vector<int>{254, 253}));
  form.close();
  const std::string text = ReadIni();
  EXPECT_NE(text.find("Address3=253"), std::string::npos) << text;
}

TEST_F(MainFormTest, GarbageFileGivesTheDefaults) {
  WriteIni(std::string("\x00\xff[[[\r\nAuto=maybe\r\n[Common\r\n=\r\n", 27));
  TMainForm& form = Show();
  EXPECT_TRUE(Find<QCheckBox>("cbAuto")->isChecked());
  EXPECT_EQ(form.Channel()->PortNumber(), 1);
}

TEST_F(MainFormTest, NegativeLeftPlacesTheWindowAtZero) {
  WriteIni("[MainWindow]\r\nState=0\r\nLeft=-40\r\nTop=60\r\nWidth=2000\r\nHeight=2000\r\n");
  TMainForm& form = Show();
  EXPECT_EQ(form.x(), 0);
  EXPECT_EQ(form.y(), 60);
  // A fixed-size window keeps its size.
  EXPECT_LT(form.width(), 2000);
  EXPECT_LT(form.height(), 2000);
}

TEST_F(MainFormTest, StateTwoOpensMaximisedWithoutReadingThePosition) {
  WriteIni("[MainWindow]\r\nState=2\r\nLeft=333\r\nTop=222\r\n");
  TMainForm& form = Show();
  EXPECT_TRUE(form.isMaximized());
  EXPECT_NE(form.pos(), QPoint(333, 222));
}

TEST(Placement, ResizableWindowTakesItsSizeAndNegativeSizeBecomes100) {
  App();
  QTemporaryDir dir;
  const fs::path path = fs::path(dir.path().toStdString()) / "p.ini";
  std::ofstream(path, std::ios::binary) << "[W]\r\nLeft=10\r\nTop=-1\r\nWidth=-5\r\nHeight=300\r\n";
  QWidget widget;
  widget.resize(500, 500);
  TMIniFile ini(path);
  ini.LoadPlacement("W", widget);
  EXPECT_EQ(widget.pos(), QPoint(10, 0));
  EXPECT_EQ(widget.size(), QSize(100, 300));
}

TEST(Placement, MissingKeysKeepTheCurrentPlacement) {
  App();
  QTemporaryDir dir;
  const fs::path path = fs::path(dir.path().toStdString()) / "p.ini";
  QWidget widget;
  widget.move(40, 50);
  widget.resize(300, 200);
  TMIniFile ini(path);
  ini.LoadPlacement("W", widget);
  EXPECT_EQ(widget.pos(), QPoint(40, 50));
  EXPECT_EQ(widget.size(), QSize(300, 200));
}

TEST(PreferencesFile, FailedSaveReportsAndLeavesNoTemporaryFile) {
  QTemporaryDir dir;
  const fs::path path = fs::path(dir.path().toStdString()) / "mkconfig.ini";
  // A folder where the file should be: it cannot be read, nor replaced.
  fs::create_directories(path / "inside");
  TMIniFile ini(path);
  ini.Ini().WriteBool("Common", "Auto", false);
  EXPECT_THROW(ini.Save(), Error);
  EXPECT_TRUE(fs::is_directory(path / "inside"));
  EXPECT_FALSE(fs::exists(fs::path(path) += ".tmp"));
}

TEST(PreferencesFile, SaveReplacesTheWholeFile) {
  QTemporaryDir dir;
  const fs::path path = fs::path(dir.path().toStdString()) / "mkconfig.ini";
  std::ofstream(path, std::ios::binary) << "[RS232]\r\nPort=4\r\n";
  TMIniFile ini(path);
  EXPECT_EQ(ini.Ini().ReadInteger("RS232", "Port", 0), 4);
  ini.Ini().WriteInteger("RS232", "Port", 12);
  ini.Save();
  TMIniFile again(path);
  EXPECT_EQ(again.Ini().ReadInteger("RS232", "Port", 0), 12);
}

TEST(PreferencesPath, BesideAWritableProgramElseInTheUserFolder) {
  QTemporaryDir dir;
  const fs::path root = dir.path().toStdString();
  EXPECT_EQ(platform::PrefsPath(root / "mkconfig"), root / "mkconfig.ini");
  EXPECT_TRUE(platform::CanWriteIn(root));
  EXPECT_FALSE(platform::CanWriteIn(root / "missing"));

  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old != nullptr ? old : "";
  setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
  EXPECT_EQ(platform::PrefsPath(root / "missing" / "mkconfig"),
            root / "config" / "mkconfig" / "mkconfig.ini");
  // An installed program, even when run by root, who could write beside it.
  EXPECT_EQ(platform::PrefsPath("/usr/bin/mkconfig"),
            root / "config" / "mkconfig" / "mkconfig.ini");
  // Installed by the Windows installer: its uninstaller removes the folder.
  std::ofstream(root / "uninstall.exe").put('\0');
  EXPECT_EQ(platform::PrefsPath(root / "mkconfig"), root / "config" / "mkconfig" / "mkconfig.ini");
  setenv("XDG_CONFIG_HOME", "relative/config", 1);
  EXPECT_EQ(platform::PrefsPath("/usr/bin/mkconfig"),
            fs::path(std::getenv("HOME")) / ".config" / "mkconfig" / "mkconfig.ini");
  if (old != nullptr)
    setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
  else
    unsetenv("XDG_CONFIG_HOME");
}

TEST(PreferencesPath, TheFallbackFolderIsCreatedOnFirstUse) {
  QTemporaryDir dir;
  const fs::path path = fs::path(dir.path().toStdString()) / "config" / "mkconfig" / "mkconfig.ini";
  TMIniFile ini(path);
  EXPECT_TRUE(fs::exists(path));
}

}  // namespace
}  // namespace mk::app::test
