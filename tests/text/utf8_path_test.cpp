// SPDX-License-Identifier: GPL-3.0-or-later
// File names in UTF-8 reach the file system unchanged, Cyrillic included.
#include <gtest/gtest.h>

#include <string>

#include "text/utf8_path.h"

namespace mk::text {
namespace {

TEST(PathFromUtf8, KeepsEveryCharacterOfTheName) {
  for (const std::string name : {"", "settings.vrnk", "Настройки МК.vrnk", "папка/файл 1.txt"}) {
    const std::u8string back = PathFromUtf8(name).u8string();
    EXPECT_EQ(std::string(back.begin(), back.end()), name);
  }
  EXPECT_EQ(PathFromUtf8("папка/файл").filename(), PathFromUtf8("файл"));
  EXPECT_EQ(FileNameText("/home/я/папка/МК 1.vrnkp"), "МК 1.vrnkp");
  EXPECT_EQ(FileNameText("МК.vrnkp"), "МК.vrnkp");
#ifdef _WIN32
  EXPECT_EQ(FileNameText("C:\\Я\\МК.vrnko"), "МК.vrnko");
#endif
}

}  // namespace
}  // namespace mk::text
