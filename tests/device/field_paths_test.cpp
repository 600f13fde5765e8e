// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/field_paths.h"

#include <gtest/gtest.h>

#include <set>

#include "text/error.h"

namespace mk::device {
namespace {

TEST(FieldPaths, DumpNamesEveryElementOnce) {
  const TMK mk;
  const auto values = DumpFields(mk);
  std::set<std::string> paths;
  std::map<std::string, std::string> by_path;
  for (const auto& v : values) {
    EXPECT_TRUE(paths.insert(v.path).second) << v.path;
    by_path[v.path] = v.text;
  }
  EXPECT_EQ(by_path.at("Limits.VelocityLimit"), "40");
  EXPECT_EQ(by_path.at("Limits.ExpenseCorr"), "1");
  EXPECT_EQ(by_path.at("Totals.ResetPeriod1"), "-1");
  EXPECT_EQ(by_path.at("Totals.AllSum[2]"), "0");
  EXPECT_EQ(by_path.at("Display.Disp4Params[5][3]"), "21");
  EXPECT_EQ(by_path.at("Display.ShowDisp1[0]"), "4294967295");
  EXPECT_EQ(by_path.at("Service.UniMeasStr"), "Трим");
  EXPECT_EQ(by_path.at("ErrorJournal.PidMap"), std::string(24, '0'));
  EXPECT_EQ(by_path.at("Journals.TripJournal[20]").size(), 40u);
  EXPECT_EQ(paths.count("Display.Disp4Params[6][0]"), 0u);
}

TEST(FieldPaths, SetAcceptsTheDumpFormatAndRefusesTheRest) {
  TMK mk;
  SetField(mk, "Limits.TimeCorr", "-5");
  EXPECT_EQ(mk.Rec(BlockId::Limits).GetInt("TimeCorr"), -5);
  SetField(mk, "Limits.VelocityCorr", "1.25");
  EXPECT_EQ(GetField(mk, "Limits.VelocityCorr"), "1.25");
  SetField(mk, "Display.HotMenu[3][9]", "513");
  EXPECT_EQ(mk.Rec(BlockId::Display).GetInt("HotMenu", 3, 9), 513);
  SetField(mk, "Service.CandleCntKText", "Свечи");
  EXPECT_EQ(GetField(mk, "Service.CandleCntKText"), "Свечи");
  SetField(mk, "ErrorJournal.PidMap", "0102030405060708090a0b0C");
  EXPECT_EQ(mk.Rec(BlockId::ErrorJournal).Bytes()[15], 0x0C);

  EXPECT_THROW(SetField(mk, "Limits.TimeCorr", "200"), RangeError);
  EXPECT_THROW(SetField(mk, "Limits.TimeCorr", "99999999999999999999"), RangeError);
  EXPECT_THROW(SetField(mk, "Limits.TimeCorr", "5x"), Error);
  EXPECT_THROW(SetField(mk, "Limits.TimeCorr", ""), Error);
  EXPECT_THROW(SetField(mk, "Limits.Nothing", "1"), Error);
  EXPECT_THROW(SetField(mk, "Nothing.TimeCorr", "1"), Error);
  EXPECT_THROW(SetField(mk, "Limits.TimeCorr[0]", "1"), Error);
  EXPECT_THROW(SetField(mk, "Display.HotMenu[4][0]", "1"), Error);
  EXPECT_THROW(SetField(mk, "Display.HotMenu[1]", "1"), Error);
  EXPECT_THROW(SetField(mk, "Totals.AllSum[3]", "1"), Error);
  EXPECT_THROW(SetField(mk, "Totals.AllSum[-1]", "1"), Error);
  EXPECT_THROW(SetField(mk, "ErrorJournal.PidMap", "00"), Error);
  EXPECT_THROW(SetField(mk, "ErrorJournal.PidMap", "zz02030405060708090a0b0c"), Error);
  EXPECT_EQ(mk.Rec(BlockId::Limits).GetInt("TimeCorr"), -5) << "refusals change nothing";
}

TEST(FieldPaths, ATextWithControlCharactersStaysOnOneLineAndComesBackWhole) {
  TMK mk;
  const std::string text = "Ф\nA\tB\\\x01";  // 10 bytes of Windows-1251 with the zero
  mk.Rec(BlockId::Service).SetText("CandleCntKText", text);
  const std::string shown = GetField(mk, "Service.CandleCntKText");
  EXPECT_EQ(shown, "Ф\\nA\\tB\\\\\\x01");
  EXPECT_EQ(shown.find('\n'), std::string::npos);
  SetField(mk, "Service.ForsTOCntKText", shown);
  EXPECT_EQ(mk.Rec(BlockId::Service).GetText("ForsTOCntKText"), text);

  EXPECT_EQ(EscapeText("\r\x7f"), "\\r\\x7f");
  EXPECT_EQ(UnescapeText("\\x4A\\x4b"), "JK");
  for (const char* bad : {"\\", "\\q", "\\x4", "\\xZZ"})
    EXPECT_THROW(UnescapeText(bad), Error) << bad;
}

TEST(FieldPaths, ARangeErrorNamesTheFieldAndItsRange) {
  TMK mk;
  try {
    SetField(mk, "Limits.TimeCorr", "200");
    ADD_FAILURE() << "taken";
  } catch (const RangeError& e) {
    EXPECT_STREQ(e.what(), "Значение «200» не подходит полю Limits.TimeCorr: от -128 до 127.");
  }
  try {
    SetField(mk, "Service.UniMeasStr", "Слишком длинно");
    ADD_FAILURE() << "taken";
  } catch (const RangeError& e) {
    EXPECT_STREQ(e.what(),
                 "Значение «Слишком длинно» не подходит полю Service.UniMeasStr: не длиннее 6 "
                 "знаков.");
  }
  try {
    SetField(mk, "Service.UniMeasStr", "л/ч😀");  // short enough, but no such character on the MK
    ADD_FAILURE() << "taken";
  } catch (const RangeError& e) {
    EXPECT_STREQ(e.what(),
                 "Значение «л/ч😀» не подходит полю Service.UniMeasStr: в кодировке МК "
                 "(Windows-1251) нет знаков 😀.");
  }
}

}  // namespace
}  // namespace mk::device
