#include "device/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "device/file_key.h"
#include "image_builder.h"
#include "support/files.h"
#include "text/error.h"

namespace mk::device {
namespace {

namespace fs = std::filesystem;

using tests::ReadBytes;
using tests::WriteBytes;

class SettingsFile : public ::testing::Test {
 protected:
  tests::TempFolder folder_{"mk-settings"};
  const fs::path dir_ = folder_.path();
};

TEST(FileKey, IsTheFixedTableItsRuleMade) {
  std::uint32_t x = 0x4D4B2019;
  for (std::size_t i = 0; i < kFileKeySize; ++i) {
    x ^= x << 13;
    x ^= x >> 17;
    x ^= x << 5;
    ASSERT_EQ(kFileKey[i], x >> 24) << i;
  }
  std::uint32_t fnv = 0x811C9DC5;  // FNV-1a over the table: guards against edits
  for (std::uint8_t byte : kFileKey) fnv = (fnv ^ byte) * 0x01000193;
  EXPECT_EQ(fnv, 0x7603DFB4u);
}

TEST(SettingsFileBytes, VersionIsPlainAndImageBytesFourKApartShareAKeyByte) {
  std::vector<std::uint8_t> image(8128, 0);
  const auto file = EncodeSettingsFile(0x0102, image);
  ASSERT_EQ(file.size(), 8130u);
  EXPECT_EQ(file[0], 0x02);
  EXPECT_EQ(file[1], 0x01);
  EXPECT_EQ(file[2], kFileKey[0]);
  EXPECT_EQ(file[2 + 4096], file[2]);
  EXPECT_EQ(file[2 + 4095], kFileKey[4095]);
  EXPECT_EQ(file[2 + 8127], kFileKey[8127 - 4096]);

  const auto back = DecodeSettingsFile(EncodeSettingsFile(7, testing::PatternImage(32704)));
  EXPECT_EQ(back.device_version, 7);
  EXPECT_EQ(back.image, testing::PatternImage(32704));
}

TEST(SettingsFileBytes, TwoBytesGiveAnEmptyImageAndFewerAreRefused) {
  const std::uint8_t two[] = {0x05, 0x00};
  const auto contents = DecodeSettingsFile(two);
  EXPECT_EQ(contents.device_version, 5);
  EXPECT_TRUE(contents.image.empty());
  const std::uint8_t one[] = {0x05};
  EXPECT_THROW(DecodeSettingsFile(one), Error);
  EXPECT_THROW(DecodeSettingsFile({}), Error);
}

TEST_F(SettingsFile, SaveAndLoadGiveBackTheSameVersionAndImage) {
  TMK saved;
  saved.ReplaceImage(0x1234, testing::PatternImage());
  SaveSettingsFile(dir_ / "a.vrnkp", saved);
  EXPECT_FALSE(fs::exists(dir_ / "a.vrnkp.part"));
  TMK loaded;
  LoadSettingsFile(dir_ / "a.vrnkp", loaded);
  EXPECT_EQ(loaded.DeviceVersion(), 0x1234);
  EXPECT_EQ(loaded.Image(), saved.Image());
  EXPECT_EQ(loaded.Rec(BlockId::Display).Bytes(), saved.Rec(BlockId::Display).Bytes())
      << "records loaded too";
}

TEST_F(SettingsFile, AShortFileAfterALongImageLeavesOnlyItsOwnLength) {
  TMK mk;
  mk.ReplaceImage(1, testing::PatternImage(32704));
  WriteBytes(dir_ / "short.vrnkp", {0x09, 0x00, 0x11, 0x22, 0x33});
  LoadSettingsFile(dir_ / "short.vrnkp", mk);
  EXPECT_EQ(mk.DeviceVersion(), 9);
  ASSERT_EQ(mk.Image().size(), 3u);
  EXPECT_EQ(mk.Image()[2], 0x33 ^ kFileKey[2]);

  WriteBytes(dir_ / "two.vrnkp", {0x02, 0x00});
  LoadSettingsFile(dir_ / "two.vrnkp", mk);
  EXPECT_TRUE(mk.Image().empty());
}

TEST_F(SettingsFile, AFailedLoadLeavesTheModelAsItWas) {
  TMK mk;
  mk.ReplaceImage(3, testing::PatternImage());
  const auto image = mk.Image();
  WriteBytes(dir_ / "one.vrnkp", {0x07});
  EXPECT_THROW(LoadSettingsFile(dir_ / "one.vrnkp", mk), Error);
  EXPECT_THROW(LoadSettingsFile(dir_ / "missing.vrnkp", mk), Error);
  EXPECT_THROW(LoadSettingsFile(dir_, mk), Error) << "a folder is no file";
  EXPECT_EQ(mk.DeviceVersion(), 3);
  EXPECT_EQ(mk.Image(), image);
}

TEST_F(SettingsFile, AFailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile) {
  TMK mk;
  mk.ReplaceImage(1, testing::PatternImage());
  // The target is a non-empty folder: the final rename must fail.
  fs::create_directories(dir_ / "busy.vrnkp" / "inside");
  try {
    SaveSettingsFile(dir_ / "busy.vrnkp", mk);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("busy.vrnkp"), std::string::npos);
  }
  EXPECT_TRUE(fs::is_directory(dir_ / "busy.vrnkp" / "inside"));
  EXPECT_FALSE(fs::exists(dir_ / "busy.vrnkp.part"));

  // An old file in a folder we may not write to stays whole (root may write anywhere).
  WriteBytes(dir_ / "old.vrnkp", {1, 2, 3});
  fs::permissions(dir_, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
  if (::geteuid() != 0) {
    EXPECT_THROW(SaveSettingsFile(dir_ / "old.vrnkp", mk), Error);
    EXPECT_EQ(ReadBytes(dir_ / "old.vrnkp"), (std::vector<std::uint8_t>{1, 2, 3}));
  }
  EXPECT_THROW(SaveSettingsFile(dir_ / "no-such-folder" / "x.vrnkp", mk), Error);
}

TEST_F(SettingsFile, SavingReplacesAnExistingFile) {
  TMK mk;
  mk.ReplaceImage(1, testing::PatternImage(100));
  WriteBytes(dir_ / "old.vrnkp", std::vector<std::uint8_t>(50000, 0xAB));
  SaveSettingsFile(dir_ / "old.vrnkp", mk);
  EXPECT_EQ(ReadBytes(dir_ / "old.vrnkp"), EncodeSettingsFile(1, mk.Image()));
}

}  // namespace
}  // namespace mk::device
