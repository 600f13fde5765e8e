// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/ini_file.h"

#include <gtest/gtest.h>

namespace mk::text {
namespace {

using namespace std::string_literals;

TEST(IniFile, CyrillicSurvivesTheRoundTripAsWindows1251OnDisk) {
  IniFile ini;
  ini.WriteString("Common", "LastFile", "C:\\Настройки\\Ёлка.vrnkp");
  ini.WriteInteger("RS232", "Port", 3);
  ini.WriteBool("Common", "AutoSearch", true);
  const std::string disk = ini.Serialize();
  EXPECT_EQ(
      disk,
      "[Common]\r\nLastFile=C:\\\xCD\xE0\xF1\xF2\xF0\xEE\xE9\xEA\xE8\\\xA8\xEB\xEA\xE0.vrnkp\r\n"
      "AutoSearch=1\r\n\r\n[RS232]\r\nPort=3\r\n");
  IniFile back;
  back.Parse(disk);
  EXPECT_EQ(back.ReadString("Common", "LastFile", ""), "C:\\Настройки\\Ёлка.vrnkp");
  EXPECT_EQ(back.ReadInteger("RS232", "Port", 0), 3);
  EXPECT_TRUE(back.ReadBool("Common", "AutoSearch", false));
  EXPECT_EQ(back.Serialize(), disk);
}

TEST(IniFile, NamesIgnoreCaseInBothAlphabetsAndValuesAreTrimmed) {
  IniFile ini;
  ini.Parse("[main\xC2\xE8\xE4]\n  Left =  12  \n");  // [mainВид]
  EXPECT_TRUE(ini.HasSection("MAINвИД"));
  EXPECT_EQ(ini.ReadString("MainВид", "LEFT", "?"), "12");
  ini.WriteInteger("mainвид", "left", 40);  // replaces, keeps the first spelling
  EXPECT_EQ(ini.Serialize(), "[main\xC2\xE8\xE4]\r\nLeft=40\r\n");
}

TEST(IniFile, GarbageLinesAreSkipped) {
  IniFile ini;
  ini.Parse(
      "orphan=1\r\n[RS232\r\nPort=7\r\n; note\r\n[]\r\nx=1\r\n\x00\xFF junk\r\n=5\r\n"
      "[RS232]\r\nnoequals\r\nPort=2\r\nPort=9\r\n[Common]\rA=1\r"s);
  EXPECT_EQ(ini.ReadInteger("RS232", "Port", 0), 2);  // the first of duplicates wins
  EXPECT_EQ(ini.ReadInteger("Common", "A", 0), 1);    // bare CR ends lines too
  EXPECT_FALSE(ini.HasSection(""));
  EXPECT_EQ(ini.ReadString("RS232", "orphan", "none"), "none");
}

TEST(IniFile, IntegersAreWholeNumbersOrTheFallback) {
  IniFile ini;
  const std::pair<const char*, long> cases[] = {
      {"42", 42},
      {"+7", 7},
      {"-15", -15},
      {"0x1F", 31},
      {"-0X10", -16},
      {"12abc", -1},
      {"", -1},
      {"1.5", -1},
      {"0x", -1},
      {"--1", -1},
      {"0xG1", -1},
      {" ", -1},
      {"+", -1},
      {"99999999999999999999", -1},
      {"-9223372036854775808", -9223372036854775807L - 1},
  };
  for (const auto& [text, expected] : cases) {
    ini.WriteString("S", "K", text);
    EXPECT_EQ(ini.ReadInteger("S", "K", -1), expected) << text;
  }
  EXPECT_EQ(ini.ReadInteger("S", "missing", 5), 5);
  EXPECT_EQ(ini.ReadInteger("Nowhere", "K", 6), 6);
}

TEST(IniFile, BooleansAreNumbersAndAreWrittenAsOneOrZero) {
  IniFile ini;
  for (const auto& [text, expected] :
       {std::pair{"0", false}, {"1", true}, {"-3", true}, {"yes", true}, {"", true}}) {
    ini.WriteString("S", "B", text);
    EXPECT_EQ(ini.ReadBool("S", "B", true), expected) << text;
  }
  ini.WriteBool("S", "B", false);
  EXPECT_EQ(ini.ReadString("S", "B", ""), "0");
}

TEST(IniFile, AValueCannotInjectLinesIntoTheFile) {
  IniFile ini;
  ini.WriteString("Common", "Name", "a\r\n[RS232]\nPort=9");
  IniFile back;
  back.Parse(ini.Serialize());
  EXPECT_FALSE(back.HasSection("RS232"));
  EXPECT_EQ(back.ReadString("Common", "Name", ""), "a  [RS232] Port=9");
}

}  // namespace
}  // namespace mk::text
