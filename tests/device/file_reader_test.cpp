#include "device/file_reader.h"

#include <gtest/gtest.h>

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

TEST(FileReader, EndlessAndUnreadableFilesAreRefused) {
  const tests::TempFolder dir("reader");
  EXPECT_EQ(Refusal("/dev/zero", 32706), "too large");
  EXPECT_EQ(Refusal(dir.File("missing"), 100), "cannot read");
  EXPECT_EQ(Refusal(dir.path(), 100), "cannot read") << "a folder is no file";
}

}  // namespace
}  // namespace mk::device
