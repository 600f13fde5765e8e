// SPDX-License-Identifier: GPL-3.0-or-later
// The edit, journals and oscilloscope transactions: what OK keeps and Cancel undoes.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "device/mk.h"
#include "image_builder.h"
#include "support/recording_prompt.h"
#include "text/error.h"

namespace mk::device {
namespace {

using testing::PatternImage;
using testing::PositionOf;

class Transactions : public ::testing::Test {
 protected:
  void SetUp() override {
    image_ = PatternImage();
    // A protocol below 256 so that the range rule lets the dialogs open.
    const std::size_t info = PositionOf(image_, 11);
    image_[info + 4] = 3;
    image_[info + 5] = 0;
    mk_.ReplaceImage(1, image_);
  }
  std::vector<std::uint8_t> image_;
  TMK mk_;
};

TEST_F(Transactions, EditOkStoresBlocksOneToEleven) {
  const bool ok = mk_.EditSettings([&] {
    mk_.Rec(BlockId::Limits).SetInt("VelocityLimit", 60);
    mk_.Rec(BlockId::ServiceInfo).SetInt("Pids", 0xA1B2, 0);
    return true;
  });
  EXPECT_TRUE(ok);
  const std::size_t limits = PositionOf(image_, 6);
  const std::size_t info = PositionOf(image_, 11);
  EXPECT_EQ(mk_.Image()[limits], 60);
  EXPECT_EQ(mk_.Image()[info + 20], 0xA1);
  EXPECT_EQ(mk_.Image()[info + 21], 0xB2);
}

TEST_F(Transactions, EditCancelRestoresEveryByteIncludingAnEarlierOk) {
  ASSERT_TRUE(mk_.EditSettings([&] {
    mk_.Rec(BlockId::Service).SetText("UniMeasStr", "Масло");
    return true;
  }));
  const auto image_after_ok = mk_.Image();
  const auto kept = mk_.CopyRecords(kSettingsBlocks);
  const auto cargo = mk_.Rec(BlockId::Cargo).Bytes();

  const bool ok = mk_.EditSettings([&] {
    for (BlockId block : kSettingsBlocks) {
      auto& bytes = mk_.Rec(block).Bytes();
      std::fill(bytes.begin(), bytes.end(), 0x5A);
    }
    mk_.Rec(BlockId::Cargo).SetInt("TareWeight", 7);
    return false;
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(mk_.Image(), image_after_ok);
  for (std::size_t i = 0; i < kept.records.size(); ++i) {
    EXPECT_EQ(mk_.Rec(kept.records[i].first).Bytes(), kept.records[i].second);
  }
  EXPECT_EQ(mk_.Rec(BlockId::Service).GetText("UniMeasStr"), "Масло");
  EXPECT_EQ(mk_.Rec(BlockId::Cargo).Bytes(), cargo) << "tare weight follows Cancel too";
}

TEST_F(Transactions, EditRefusesAProtocolOrFirmwareOf256BeforeTheDialog) {
  const std::tuple<int, int, std::string> cases[] = {
      {256, 0, "Значение настройки «Протокол» (cbProtocol) равно 256, а должно быть от 0 до 255."},
      {0, 256, "Ошибка проверки диапазона: FirmwareVersion = 256, а допустимо от 0 до 255."}};
  for (const auto& [protocol, firmware, message] : cases) {
    auto image = image_;
    const std::size_t info = PositionOf(image, 11);
    image[info + 4] = static_cast<std::uint8_t>(protocol & 0xFF);
    image[info + 5] = static_cast<std::uint8_t>(protocol >> 8);
    image[60] = static_cast<std::uint8_t>(firmware & 0xFF);
    image[61] = static_cast<std::uint8_t>(firmware >> 8);
    TMK mk;
    mk.ReplaceImage(1, image);
    bool opened = false;
    try {
      mk.EditSettings([&] { return opened = true; });
      ADD_FAILURE() << "no range error";
    } catch (const RangeError& e) {
      EXPECT_EQ(std::string(e.what()), message);
    }
    EXPECT_FALSE(opened);
    EXPECT_EQ(mk.Image(), image);
    EXPECT_EQ(mk.Rec(BlockId::ServiceInfo).GetInt("Protocol"), protocol) << "records as loaded";
  }
  TMK mk;
  auto image = image_;
  image[60] = 255;
  mk.ReplaceImage(1, image);
  EXPECT_TRUE(mk.EditSettings([] { return true; })) << "255 still fits a byte";
}

TEST_F(Transactions, EditDialogThatThrowsLeavesRecordsAndImageAsBefore) {
  const auto records = mk_.CopyRecords(kSettingsBlocks);
  const auto image = mk_.Image();
  EXPECT_THROW(mk_.EditSettings([&]() -> bool {
    mk_.Rec(BlockId::Limits).SetInt("TankLimit", 1);
    throw RangeError();
  }),
               RangeError);
  EXPECT_EQ(mk_.Image(), image);
  EXPECT_EQ(mk_.Rec(BlockId::Limits).Bytes(), records.records[5].second);
}

TEST_F(Transactions, JournalsOkStoresJournalsTotalsAndErrorsButNeverCargo) {
  const bool ok = mk_.ViewJournals([&] {
    mk_.ClearTripJournal();
    mk_.ClearErrorJournal();
    mk_.Rec(BlockId::Totals).SetInt("AllPathStart", 777);
    mk_.Rec(BlockId::Cargo).SetInt("CargoDens", 1);
    return true;
  });
  EXPECT_TRUE(ok);
  const std::size_t journals = PositionOf(image_, 7);
  const std::size_t errors = PositionOf(image_, 13);
  const std::size_t totals = PositionOf(image_, 1);
  const std::size_t cargo = PositionOf(image_, 14);
  EXPECT_EQ(mk_.Image()[journals + 16 + 2], 0);
  EXPECT_EQ(mk_.Image()[journals + 16 + 3], image_[journals + 16 + 3]);
  EXPECT_EQ(mk_.Image()[errors + 4], 0);
  EXPECT_EQ(mk_.Image()[totals + 100], 777 & 0xFF);
  EXPECT_EQ(mk_.Image()[cargo + 2], image_[cargo + 2]);
  EXPECT_EQ(mk_.Rec(BlockId::Cargo).GetInt("CargoDens"), 1) << "stays in the model";
}

TEST_F(Transactions, JournalsCancelLeavesImageAndRecordsUntouched) {
  const auto image = mk_.Image();
  const auto records = mk_.CopyRecords(kStoredBlocks);
  const bool ok = mk_.ViewJournals([&] {
    mk_.ClearTripJournal();
    mk_.ClearTankJournal();
    mk_.ClearErrorJournal();
    return false;
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(mk_.Image(), image);
  // A cleared journal left in the records would reach the MK with the next write.
  mk_.StoreAll();
  EXPECT_EQ(mk_.Image(), image);
  for (const auto& [block, bytes] : records.records) EXPECT_EQ(mk_.Rec(block).Bytes(), bytes);
}

TEST_F(Transactions, OscilloscopeLoadsTheRecordingAndStoresNothing) {
  tests::RecordingPrompt prompt;
  const auto image = mk_.Image();
  bool shown = false;
  EXPECT_TRUE(mk_.ViewOscilloscope(
      [&] {
        shown = true;
        EXPECT_EQ(mk_.OscHeader1()[0], image[3542]);
        mk_.OscHeader1()[0] ^= 0xFF;
        return true;
      },
      prompt));
  EXPECT_TRUE(shown);
  EXPECT_TRUE(prompt.errors.empty());
  EXPECT_EQ(mk_.Image(), image);
}

TEST_F(Transactions, OscilloscopeHonoursTheRangeRule) {
  tests::RecordingPrompt prompt;
  mk_.Image()[60] = 0;
  mk_.Image()[61] = 1;  // firmware 256
  bool shown = false;
  EXPECT_THROW(mk_.ViewOscilloscope([&] { return shown = true; }, prompt), RangeError);
  EXPECT_FALSE(shown);
}

}  // namespace
}  // namespace mk::device
