// SPDX-License-Identifier: GPL-3.0-or-later
// Loading blocks out of the image and storing them back, also through hostile
// directories.
#include <gtest/gtest.h>

#include <algorithm>

#include "device/mk.h"
#include "image_builder.h"
#include "text/error.h"

namespace mk::device {
namespace {

using testing::PatternImage;
using testing::PositionOf;
using testing::SetEntry;

TEST(Directory, IsParsedFromTheFirst68Bytes) {
  TMK mk;
  mk.Image() = PatternImage(8128, 0x01020304);
  mk.Image()[64] = 0xAA;
  mk.ReadDirectory();
  const BlockDirectory& dir = mk.Directory();
  EXPECT_EQ(dir.BlockCount, 14u);
  EXPECT_EQ(dir.BlockAddress[0], 100);
  EXPECT_EQ(dir.BlockLength[0], 168);
  EXPECT_EQ(dir.BlockLength[13], 236);
  EXPECT_EQ(dir.FirmwareVersion, 0x01020304u);
  EXPECT_EQ(mk.FirmwareVersion(), 0x01020304u);
  EXPECT_EQ(dir.Reserved[0], 0xAA);
  EXPECT_EQ(dir.Position(1), 68);
  mk.Image()[3] = 0xFF;  // a BlockCount of about 4 billion
  mk.ReadDirectory();
  EXPECT_EQ(mk.Directory().EntriesToWrite(), 14u);
}

TEST(Directory, AShortImageReadsAsAnEmptyDirectory) {
  TMK mk;
  mk.Image() = PatternImage();
  mk.ReadDirectory();
  mk.Image().resize(10);
  mk.ReadDirectory();
  EXPECT_EQ(mk.Directory().BlockLength[13], 0) << "nothing stale from the earlier image";
  EXPECT_EQ(mk.FirmwareVersion(), 0u);
}

TEST(LoadAll, CopiesEachBlockFromItsPositionWithoutTheFourUnmovedBytes) {
  TMK mk;
  const auto image = PatternImage();
  mk.ReplaceImage(5, image);
  EXPECT_EQ(mk.DeviceVersion(), 5);
  for (BlockId block : kStoredBlocks) {
    const auto& rec = mk.Rec(block).Bytes();
    const std::size_t pos = PositionOf(image, static_cast<int>(block));
    EXPECT_TRUE(std::equal(rec.begin(), rec.end(), image.begin() + pos))
        << "block " << static_cast<int>(block);
  }
  EXPECT_EQ(mk.Rec(BlockId::Cargo).GetInt("TareWeight"), 100) << "Cargo is not in LoadAll";
}

TEST(StoreAll, RewritesOnlyTheRecordsOwnBytes) {
  TMK mk;
  const auto image = PatternImage();
  mk.ReplaceImage(1, image);
  for (BlockId block : kStoredBlocks) {
    auto& bytes = mk.Rec(block).Bytes();
    std::fill(bytes.begin(), bytes.end(), 0xEE);
  }
  mk.Rec(BlockId::Cargo).SetInt("TareWeight", 1);
  mk.StoreAll();
  ASSERT_EQ(mk.Image().size(), image.size());
  std::vector<bool> owned(image.size(), false);
  for (BlockId block : kStoredBlocks) {
    const std::size_t pos = PositionOf(image, static_cast<int>(block));
    std::fill_n(owned.begin() + static_cast<std::ptrdiff_t>(pos), BlockDefOf(block).record_size,
                true);
  }
  for (std::size_t i = 0; i < image.size(); ++i) {
    if (owned[i]) {
      EXPECT_EQ(mk.Image()[i], 0xEE) << i;
    } else {
      // The directory, block 12, block 14, the unmoved bytes and all between.
      ASSERT_EQ(mk.Image()[i], image[i]) << "byte " << i << " changed";
    }
  }
}

TEST(Load, ABlockOfLengthFourOrLessCopiesNothing) {
  for (std::uint16_t length : {0, 3, 4}) {
    TMK mk;
    auto image = PatternImage();
    SetEntry(image, 2, 100, length);
    mk.Image() = image;
    mk.LoadParking();
    EXPECT_EQ(mk.Rec(BlockId::Parking).Bytes(), TMK().Rec(BlockId::Parking).Bytes())
        << "length " << length;
  }
}

TEST(Load, AShorterBlockLeavesTheRestOfTheRecord) {
  TMK mk;
  auto image = PatternImage();
  SetEntry(image, 6, 100, 4 + 10);
  mk.Image() = image;
  mk.LoadLimits();
  const auto& rec = mk.Rec(BlockId::Limits).Bytes();
  EXPECT_TRUE(std::equal(rec.begin(), rec.begin() + 10, image.begin() + 68));
  EXPECT_EQ(mk.Rec(BlockId::Limits).GetInt("VentTempLimit"), 115) << "offset 12 untouched";
}

TEST(Load, ALongerDataPartIsCutToTheRecordSize) {
  TMK mk;
  auto image = PatternImage();
  SetEntry(image, 2, 100, 65535);  // Parking: 28 bytes of record
  mk.Image() = image;
  mk.LoadParking();
  EXPECT_EQ(mk.Rec(BlockId::Parking).Bytes().size(), 28u);
  EXPECT_TRUE(std::equal(mk.Rec(BlockId::Parking).Bytes().begin(),
                         mk.Rec(BlockId::Parking).Bytes().end(), image.begin() + 68));
}

TEST(Load, ABlockPastTheEndLoadsWhatExists) {
  TMK mk;
  auto image = PatternImage(1000);
  SetEntry(image, 3, static_cast<std::uint16_t>(32 + 1000 - 5), 68);  // 5 bytes inside
  SetEntry(image, 4, 65535, 65535);                                   // wholly outside
  SetEntry(image, 5, 0, 128);                                         // before the image
  mk.Image() = image;
  mk.LoadAll();
  const auto& fuel = mk.Rec(BlockId::FuelSensor).Bytes();
  EXPECT_TRUE(std::equal(fuel.begin(), fuel.begin() + 5, image.end() - 5));
  EXPECT_EQ(mk.Rec(BlockId::FuelSensor).GetInt("Lit43L"), 43);
  EXPECT_EQ(mk.Rec(BlockId::TankCalibration).Bytes(), TMK().Rec(BlockId::TankCalibration).Bytes());
  EXPECT_EQ(mk.Rec(BlockId::Service).Bytes(), TMK().Rec(BlockId::Service).Bytes());
  EXPECT_EQ(mk.Image(), image) << "a load never changes the image";
}

TEST(Store, PastTheEndExtendsTheImageWithZeros) {
  TMK mk;
  auto image = PatternImage(1000);
  SetEntry(image, 9, 65535, 36);
  mk.Image() = image;
  mk.StoreAlarmStyles();
  ASSERT_EQ(mk.Image().size(), 65535u - 32 + 32);
  EXPECT_EQ(mk.Image()[999], image[999]);
  EXPECT_EQ(mk.Image()[1000], 0);
  EXPECT_EQ(mk.Image()[65502], 0);
  EXPECT_TRUE(std::equal(mk.Rec(BlockId::AlarmStyles).Bytes().begin(),
                         mk.Rec(BlockId::AlarmStyles).Bytes().end(), mk.Image().begin() + 65503));
}

TEST(Store, AlwaysWritesTheFullRecordWhateverTheDirectoryLength) {
  TMK mk;
  auto image = PatternImage();
  SetEntry(image, 2, 100, 4);
  mk.Image() = image;
  mk.StoreParking();
  EXPECT_TRUE(std::equal(mk.Rec(BlockId::Parking).Bytes().begin(),
                         mk.Rec(BlockId::Parking).Bytes().end(), mk.Image().begin() + 68));
}

TEST(Store, ABlockBeforeTheImageIsRefusedBeforeAnythingIsWritten) {
  TMK mk;
  auto image = PatternImage();
  SetEntry(image, 11, 31, 64);
  mk.Image() = image;
  mk.Rec(BlockId::Totals).SetInt("AllPathStart", 12345);
  EXPECT_THROW(mk.StoreAll(), Error);
  EXPECT_EQ(mk.Image(), image);
}

TEST(Store, ABlockStoredOverTheDirectoryCannotMoveALaterOneBeforeTheImage) {
  TMK mk;
  auto image = PatternImage();
  SetEntry(image, 1, 32, 168);  // Totals over the directory: AllSum[2] is block 2's entry
  mk.Image() = image;
  mk.Rec(BlockId::Totals).SetInt("AllSum", 5, 2);
  EXPECT_THROW(mk.StoreAll(), Error);
  EXPECT_EQ(mk.Image(), image) << "nothing half stored";
}

TEST(Store, TheDirectoryIsReReadBeforeEveryBlock) {
  TMK mk;
  auto image = PatternImage();
  mk.ReplaceImage(1, image);
  // Move block 2 somewhere else after the load; the store must follow.
  SetEntry(mk.Image(), 2, 4000, 32);
  mk.StoreParking();
  EXPECT_TRUE(std::equal(mk.Rec(BlockId::Parking).Bytes().begin(),
                         mk.Rec(BlockId::Parking).Bytes().end(), mk.Image().begin() + 3968));
}

TEST(Oscilloscope, PartsComeFromFixedPositionsInAnySizeOfImage) {
  for (std::size_t size : {8128u, 32704u}) {
    TMK mk;
    mk.Image() = PatternImage(size);
    const auto& image = mk.Image();
    mk.LoadOscilloscope();
    EXPECT_TRUE(std::equal(mk.OscHeader1().begin(), mk.OscHeader1().end(), image.begin() + 3542));
    EXPECT_TRUE(
        std::equal(mk.OscSamples().begin(), mk.OscSamples().begin() + 512, image.begin() + 3550));
    EXPECT_TRUE(std::equal(mk.OscHeader2().begin(), mk.OscHeader2().end(), image.begin() + 7606));
    EXPECT_TRUE(
        std::equal(mk.OscSamples().begin() + 512, mk.OscSamples().end(), image.begin() + 7614));
  }
}

TEST(Oscilloscope, AShortImageFillsOnlyWhatItHolds) {
  TMK mk;
  mk.Image() = PatternImage(3542 + 8 + 10);
  mk.LoadOscilloscope();
  EXPECT_EQ(mk.OscSamples()[9], mk.Image()[3559]);
  EXPECT_EQ(mk.OscSamples()[10], 0);
  EXPECT_EQ(mk.OscHeader2()[0], 1) << "part 2 lies beyond the image: its default time index stays";
}

TEST(JournalClearing, TouchesOnlyTheBytesThatMarkRecordsEmpty) {
  TMK mk;
  mk.ReplaceImage(1, PatternImage());
  const auto before = mk.Rec(BlockId::Journals).Bytes();
  mk.ClearTripJournal();
  const auto& after = mk.Rec(BlockId::Journals).Bytes();
  for (std::size_t i = 0; i < after.size(); ++i) {
    const bool marker = i >= 16 && i < 436 && (i - 16) % 20 == 2;
    EXPECT_EQ(after[i], marker ? 0 : before[i]) << i;
  }
  mk.ClearTankJournal();
  for (std::size_t r = 0; r < 21; ++r) EXPECT_EQ(after[436 + 20 * r + 2], 0);
  EXPECT_EQ(after[856], before[856]) << "reserved tail kept";

  const auto errors_before = mk.Rec(BlockId::ErrorJournal).Bytes();
  mk.ClearErrorJournal();
  const auto& errors = mk.Rec(BlockId::ErrorJournal).Bytes();
  for (std::size_t i = 0; i < errors.size(); ++i) {
    const bool cleared = (i >= 4 && i < 16) || (i >= 16 && i < 660 && (i - 16) % 92 < 8);
    EXPECT_EQ(errors[i], cleared ? 0 : errors_before[i]) << i;
  }
}

}  // namespace
}  // namespace mk::device
