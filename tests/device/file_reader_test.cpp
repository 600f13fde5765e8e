// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/file_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "support/files.h"
#include "text/error.h"

namespace mk::device {
namespace {

const FileReadMessages kMessages{"cannot read", "too large"};

std::string Refusal(const std::filesystem::path& path, std::size_t max) {
  try {
    ReadFileAtMost(path, max, kMessages);
  } catch (const Error& e) {
    return e.what();
  }
  return "read";
}

TEST(FileReader, TakesUpToTheLimitAndNotOneByteMore) {
  const tests::TempFolder dir("reader");
  const std::vector<std::uint8_t> ten = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  tests::WriteBytes(dir.File("ten"), ten);
  EXPECT_EQ(ReadFileAtMost(dir.File("ten"), 10, kMessages), ten);
  EXPECT_EQ(ReadFileAtMost(dir.File("ten"), 11, kMessages), ten);
  EXPECT_EQ(Refusal(dir.File("ten"), 9), "too large");
  tests::WriteBytes(dir.File("empty"), {});
  EXPECT_TRUE(ReadFileAtMost(dir.File("empty"), 0, kMessages).empty());
  EXPECT_EQ(Refusal(dir.File("ten"), 0), "too large");
}

TEST(FileReader, AnythingButAReadableRegularFileIsRefusedUnopenedWithTheReason) {
  const tests::TempFolder dir("reader");
  ASSERT_EQ(mkfifo(dir.File("fifo").c_str(), 0600), 0);  // nobody writes it: opening would hang
  tests::WriteBytes(dir.File("locked"), {1});
  std::filesystem::permissions(dir.File("locked"), std::filesystem::perms::none);
  const std::pair<std::string, std::string> cases[] = {
      {dir.File("fifo"), "это не обычный файл"},
      {"/dev/zero", "это не обычный файл"},
      {dir.File("missing"), "нет такого файла"},
      {dir.path().string(), "это папка"},
      {dir.File("missing") + "/x", "нет такого файла"},
      {geteuid() == 0 ? dir.File("fifo") : dir.File("locked"),
       geteuid() == 0 ? "это не обычный файл" : "нет прав на чтение"},
  };
  for (const auto& [path, reason] : cases) {
    EXPECT_EQ(Refusal(path, 100), "cannot read Причина: " + reason + ".") << path;
  }
}

}  // namespace
}  // namespace mk::device
