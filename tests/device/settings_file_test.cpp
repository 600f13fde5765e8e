// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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

// A file is taken only when its image can be an MK's memory; whatever is
// refused leaves the model, records included, exactly as it was.
TEST_F(SettingsFile, ADamagedFileIsRefusedAndTheModelKeepsWhatItHeld) {
  TMK mk;
  mk.ReplaceImage(3, testing::PatternImage(32704));
  mk.Rec(BlockId::Limits).SetInt("VelocityLimit", 61);  // an edit not yet stored
  const TMK before = mk;

  const auto good = EncodeSettingsFile(5, testing::PatternImage());
  std::vector<std::uint8_t> random(8130);
  std::uint32_t x = 12345;
  for (auto& b : random) b = static_cast<std::uint8_t>((x = x * 1103515245 + 12345) >> 16);
  const std::string text = "This is not a settings file, sorry!";  // 35 bytes
  auto short_block = testing::PatternImage();
  testing::SetEntry(short_block, 1, 100, 4);
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    const char* says;
  };
  const Case cases[] = {
      {"cut", {good.begin(), good.begin() + 2000}, "его длина 2000 байт"},
      {"random", random, "Файл настроек повреждён: "},
      {"text", {text.begin(), text.end()}, "его длина 35 байт"},
      {"two bytes", {0x05, 0x00}, "его длина 2 байта"},
      {"one byte", {0x05}, "Файл настроек повреждён: "},
      {"empty", {}, "Файл настроек повреждён: "},
      {"one more",
       [&] {
         auto b = good;
         b.push_back(0);
         return b;
       }(),
       "его длина 8131 байт"},
      {"short block", EncodeSettingsFile(5, short_block), "блок 1 короче своей записи"},
  };
  for (const Case& c : cases) {
    WriteBytes(dir_ / "bad.vrnkp", c.bytes);
    try {
      LoadSettingsFile(dir_ / "bad.vrnkp", mk);
      ADD_FAILURE() << c.name << " was taken";
    } catch (const Error& e) {
      const std::string message = e.what();
      EXPECT_EQ(message.rfind("Файл настроек повреждён: ", 0), 0u) << c.name << ": " << message;
      EXPECT_NE(message.find(c.says), std::string::npos) << c.name << ": " << message;
    }
    EXPECT_EQ(mk.DeviceVersion(), 3) << c.name;
    EXPECT_EQ(mk.Image(), before.Image()) << c.name;
    for (BlockId block : kRecordBlocks) {
      EXPECT_EQ(mk.Rec(block).Bytes(), before.Rec(block).Bytes()) << c.name;
    }
  }
}

TEST_F(SettingsFile, ADamagedFileCanStillBeReadToSeeWhatItHolds) {
  auto image = testing::PatternImage();
  testing::SetEntry(image, 7, 8150, 864);
  WriteBytes(dir_ / "end.vrnkp", EncodeSettingsFile(9, image));
  const SettingsFileContents contents = ReadSettingsFile(dir_ / "end.vrnkp");
  EXPECT_EQ(contents.device_version, 9);
  EXPECT_EQ(contents.image, image);
  EXPECT_EQ(SettingsFileFault(contents).rfind("Файл настроек повреждён: блок 7 (", 0), 0u);
  TMK mk;
  EXPECT_THROW(LoadSettingsFile(dir_ / "end.vrnkp", mk), Error);
  EXPECT_EQ(SettingsFileFault(ReadSettingsFile(dir_ / "end.vrnkp")), SettingsFileFault(contents))
      << "the same verdict every time";
}

TEST_F(SettingsFile, AFileLongerThanTheLargestIsRefusedBeforeItIsRead) {
  WriteBytes(dir_ / "max.vrnkp", EncodeSettingsFile(1, testing::PatternImage(32704)));
  EXPECT_EQ(ReadSettingsFile(dir_ / "max.vrnkp").image.size(), 32704u);
  {
    std::ofstream big(dir_ / "big.vrnkp", std::ios::binary);
    big.seekp(10 * 1024 * 1024 - 1);
    big.put('\0');
  }
  try {
    ReadSettingsFile(dir_ / "big.vrnkp");
    ADD_FAILURE() << "it was read";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Файл настроек повреждён: он длиннее 32706 байт, а файл настроек МК занимает "
              "8130 или 32706 байт.");
  }
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
