// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/cp1251.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "text/error.h"

namespace mk::text {
namespace {

TEST(Cp1251, EveryDefinedByteSurvivesTheRoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(byte)), byte) << "byte " << b;
  }
}

TEST(Cp1251, DistinctBytesGiveDistinctCharacters) {
  std::set<char32_t> seen;
  for (int b = 0; b < 256; ++b) seen.insert(Cp1251ToUnicode(static_cast<unsigned char>(b)));
  EXPECT_EQ(seen.size(), 256u);
}

TEST(Cp1251, RussianTextAndTheLettersOutsideTheMainBlock) {
  EXPECT_EQ(Utf8ToCp1251("Трим"), "\xD2\xF0\xE8\xEC");
  EXPECT_EQ(Utf8ToCp1251("Ёё№"), "\xA8\xB8\xB9");
  EXPECT_EQ(Cp1251ToUtf8("\xC0\xDF\xE0\xFF"), "АЯая");
  EXPECT_EQ(Cp1251ToUtf8("\x88"), "€");
}

TEST(Cp1251, CharactersTheCodePageLacksBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("a中b"), "a?b");
  EXPECT_EQ(Utf8ToCp1251("\xFF"), "?");              // not UTF-8 at all
  EXPECT_EQ(Utf8ToCp1251("x\xD0"), "x?");            // cut in the middle of a character
  EXPECT_EQ(Utf8ToCp1251("\xF0\x9F\x98\x80"), "?");  // outside the basic plane
}

// A text to be stored is refused rather than kept with question marks.
TEST(Cp1251, AStrictConversionNamesEachLackingCharacterOnce) {
  const std::pair<const char*, const char*> cases[] = {
      {"Свечи NGK №1", ""},
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},
      {"a中b中ü", "中 ü"},
      {"x\xD0", "\\xD0"},
  };
  for (const auto& [text, lacking] : cases) {
    try {
      EXPECT_EQ(Utf8ToCp1251Strict(text), Utf8ToCp1251(text));
      EXPECT_STREQ(lacking, "") << text;
    } catch (const RangeError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("Текст «") + text +
                                           "» не годится для МК: в кодировке МК (Windows-1251) "
                                           "нет знаков " +
                                           lacking + ".");
    }
  }
}

}  // namespace
}  // namespace mk::text
