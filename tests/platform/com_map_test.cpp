// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/com_map.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "support/files.h"
#include "text/error.h"
#include "text/ini_file.h"

namespace mk::platform {
namespace {

TEST(ComMapTest, DefaultFamiliesMeetAtTheirEdges) {
  EXPECT_EQ(ComMap::DefaultPath(1), "/dev/ttyS0");
  EXPECT_EQ(ComMap::DefaultPath(8), "/dev/ttyS7");
  EXPECT_EQ(ComMap::DefaultPath(9), "/dev/ttyUSB0");
  EXPECT_EQ(ComMap::DefaultPath(20), "/dev/ttyUSB11");
  EXPECT_EQ(ComMap::DefaultPath(21), "/dev/ttyACM0");
  EXPECT_EQ(ComMap::DefaultPath(32), "/dev/ttyACM11");
  EXPECT_EQ(ComMap::DefaultPath(0), "");
  EXPECT_EQ(ComMap::DefaultPath(33), "");
  EXPECT_EQ(ComMap::DefaultPath(-1), "");
}

TEST(ComMapTest, OverridesComeFromThePortsSectionAndFromCode) {
  text::IniFile ini;
  ini.WriteString("Ports", "COM1", "/dev/pts/7");
  ini.WriteString("Ports", "COM32", "/dev/serial/by-id/usb-mk");
  ini.WriteString("Ports", "COM33", "/dev/ignored");
  ini.WriteString("Ports", "COM5", "");
  ini.WriteString("RS232", "COM2", "/dev/wrong-section");
  ComMap map;
  map.LoadOverrides(ini);
  EXPECT_EQ(map.Path(1), "/dev/pts/7");
  EXPECT_EQ(map.Path(32), "/dev/serial/by-id/usb-mk");
  EXPECT_EQ(map.Path(2), "/dev/ttyS1");
  EXPECT_EQ(map.Path(5), "/dev/ttyS4");
  EXPECT_FALSE(map.IsOverridden(5));
  EXPECT_EQ(map.Path(33), "");

  map.SetOverride(2, "/tmp/x");
  EXPECT_EQ(map.Path(2), "/tmp/x");
  map.SetOverride(2, "");
  EXPECT_EQ(map.Path(2), "/dev/ttyS1");
  map.SetOverride(0, "/tmp/y");
  map.SetOverride(33, "/tmp/y");
  EXPECT_EQ(map.NumberOf("/tmp/y"), std::nullopt);
}

TEST(ComMapTest, NumberOfPrefersOverridesAndFollowsLinks) {
  const tests::TempFolder dir("com_map");
  const auto target = dir.path() / "ttyX";
  const auto link = dir.path() / "by-id-link";
  {
    std::FILE* f = std::fopen(target.c_str(), "w");
    std::fclose(f);
  }
  std::filesystem::create_symlink(target, link);

  ComMap map;
  EXPECT_EQ(map.NumberOf("/dev/ttyACM0"), 21);
  EXPECT_EQ(map.NumberOf("/dev/ttyUSB11"), 20);
  EXPECT_EQ(map.NumberOf("/dev/ttyACM12"), std::nullopt);

  // A number pointed elsewhere gives up its default device.
  map.SetOverride(21, link.string());
  EXPECT_EQ(map.NumberOf("/dev/ttyACM0"), std::nullopt);
  EXPECT_EQ(map.NumberOf(target.string()), 21);
  EXPECT_EQ(map.NumberOf(link.string()), 21);
}

TEST(ComMapTest, AdoptGivesAPathTheHighestUnusedNumber) {
  ComMap map;
  std::set<std::string> present = {"/dev/ttyACM11", "/dev/ttyS0"};
  const auto exists = [&](const std::string& p) { return present.count(p) != 0; };
  EXPECT_EQ(map.Adopt("/dev/pts/3", exists), 31);
  EXPECT_EQ(map.Path(31), "/dev/pts/3");
  EXPECT_EQ(map.Adopt("/dev/pts/3", exists), 31) << "the same path keeps its number";
  EXPECT_EQ(map.Adopt("/dev/ttyS0", exists), 1) << "a default device keeps its own";
  EXPECT_EQ(map.Adopt("/dev/pts/4", exists), 30);

  ComMap full;
  EXPECT_EQ(full.Adopt("/dev/pts/9", [](const std::string&) { return true; }), 0);
}

TEST(PortArgumentTest, AcceptsNumbersComNamesAndPaths) {
  EXPECT_EQ(ParsePortArgument("7").number, 7);
  EXPECT_EQ(ParsePortArgument("COM7").number, 7);
  EXPECT_EQ(ParsePortArgument("com7").number, 7);
  EXPECT_EQ(ParsePortArgument("Com32").number, 32);
  EXPECT_EQ(ParsePortArgument("1").number, 1);
  const auto path = ParsePortArgument("/dev/pts/3");
  EXPECT_EQ(path.number, 0);
  EXPECT_EQ(path.path, "/dev/pts/3");
  EXPECT_EQ(ParsePortArgument("./tty").path, "./tty");
}

TEST(PortArgumentTest, RefusesEverythingElseWithTheRussianText) {
  for (const char* bad : {"", "0", "33", "COM", "COM0", "COM33", "abc", "COM7x", "-1", " 7", "7 ",
                          "1234", "COMCOM1"}) {
    try {
      ParsePortArgument(bad);
      ADD_FAILURE() << "accepted «" << bad << "»";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find("Неверный порт"), std::string::npos) << bad;
    }
  }
}

}  // namespace
}  // namespace mk::platform
