// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/factory_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "device/mk.h"
#include "text/byte_io.h"

namespace mk::sim {
namespace {

using device::BlockId;

class Factory : public ::testing::TestWithParam<std::size_t> {
 protected:
  void SetUp() override {
    memory = FactoryMemory(GetParam());
    mk.ReplaceImage(1, ImageFromMemory(memory));
  }
  std::vector<std::uint8_t> memory;
  device::TMK mk;
};

TEST_P(Factory, DirectoryNamesFourteenBlocksInTheFirstHalfClearOfEachOtherAndTheRecording) {
  const auto& d = mk.Directory();
  EXPECT_EQ(d.BlockCount, 14u);
  EXPECT_EQ(d.FirmwareVersion, kFactoryFirmwareVersion);
  struct Span {
    std::size_t from, to;  // image positions, to exclusive, including the 4 extra bytes
  };
  std::vector<Span> used = {{0, device::BlockDirectory::kSize},
                            {device::kOscPart1Position, device::kOscPart1Position + 520},
                            {device::kOscPart2Position, device::kOscPart2Position + 520}};
  for (int k = 1; k <= 14; ++k) {
    const std::size_t address = d.BlockAddress[static_cast<std::size_t>(k - 1)];
    const std::size_t length = d.BlockLength[static_cast<std::size_t>(k - 1)];
    ASSERT_GE(address, 32u) << k;
    ASSERT_LE(address + length, GetParam() / 2) << k;
    if (k != 12 && k != 14) {
      EXPECT_EQ(length, device::BlockDefOf(static_cast<BlockId>(k)).record_size + 4) << k;
    }
    for (const Span& s : used) {
      EXPECT_TRUE(address - 32 >= s.to || address - 32 + length <= s.from) << "block " << k;
    }
    used.push_back({address - 32, address - 32 + length});
  }
  EXPECT_GT(d.BlockLength[11], 4u) << "block 12 carries some bytes";
  EXPECT_EQ(d.BlockLength[13], 12u) << "tare weight and cargo density";
}

TEST_P(Factory, SettingsRecordsAreAtTheirDefaults) {
  for (BlockId block :
       {BlockId::Parking, BlockId::FuelSensor, BlockId::TankCalibration, BlockId::Service,
        BlockId::Limits, BlockId::Block8, BlockId::AlarmStyles, BlockId::ServiceInfo}) {
    device::Record fresh(device::BlockDefOf(block));
    fresh.ApplyDefaults();
    EXPECT_EQ(mk.Rec(block).Bytes(), fresh.Bytes()) << device::BlockDefOf(block).name;
  }
  mk.LoadCargo();
  EXPECT_EQ(mk.Rec(BlockId::Cargo).GetInt("TareWeight"), 100);
  EXPECT_EQ(mk.Rec(BlockId::Cargo).GetInt("CargoDens"), 200);
  EXPECT_EQ(mk.Rec(BlockId::Journals).GetInt("PriceExpense"), 250);
}

TEST_P(Factory, JournalsHoldSomeTripsRefuellingsAndThreeErrorsWithFreezeFrames) {
  const auto& journals = mk.Rec(BlockId::Journals);
  auto used = [&](const char* field) {
    int n = 0;
    for (std::size_t i = 0; i < device::kJournalRecords; ++i)
      n += journals.Element(field, i)[2] != 0;
    return n;
  };
  EXPECT_GE(used("TripJournal"), 3);
  EXPECT_GE(used("TankJournal"), 2);
  const auto trip = journals.Element("TripJournal", 0);
  EXPECT_LE(trip[3], 12) << "a month";
  EXPECT_GT(bytes::ReadU32(trip, 8), 0u) << "some distance";

  const auto& errors = mk.Rec(BlockId::ErrorJournal);
  int with_code = 0;
  for (std::size_t i = 0; i < device::kErrorRecords; ++i) {
    const auto r = errors.Element("ErrorRecords", i);
    if (bytes::ReadU32(r, 4) == 0) continue;
    ++with_code;
    EXPECT_NE(bytes::ReadU32(r, 8), 0u) << "each error has its freeze frame";
  }
  EXPECT_EQ(with_code, 3);
  EXPECT_NE(errors.Element("PidMap")[0], 0) << "some PIDs are in the freeze frames";
  EXPECT_GT(mk.Rec(BlockId::Totals).GetInt("AllSum", 1), 0);
}

TEST_P(Factory, TheRecordingHasHeadersAndASmoothTrace) {
  mk.LoadOscilloscope();
  EXPECT_LE(mk.OscHeader1()[0], 9) << "a time-scale index";
  EXPECT_LE(mk.OscHeader1()[6], 2) << "a voltage range";
  const auto& s = mk.OscSamples();
  int largest_step = 0;
  for (std::size_t i = 1; i < s.size(); ++i) {
    largest_step = std::max(largest_step, std::abs(s[i] - s[i - 1]));
  }
  EXPECT_LE(largest_step, 8);
  EXPECT_GT(*std::max_element(s.begin(), s.end()) - *std::min_element(s.begin(), s.end()), 100);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Factory, ::testing::Values(8192, 32768),
                         [](const auto& p) { return std::to_string(p.param); });

TEST(FactoryImage, ShortImagesAreLaidInPlaceAndLongOnesRefused) {
  const std::vector<std::uint8_t> image(4100, 0x33);  // a little past the first half
  const auto memory = MemoryFromImage(image, 8192);
  EXPECT_EQ(memory[31], 0xFF);
  EXPECT_EQ(memory[32], 0x33);
  EXPECT_EQ(memory[4095], 0x33);
  EXPECT_EQ(memory[4096], 0xFF) << "the never-read page";
  EXPECT_EQ(memory[4128 + 35], 0x33);
  EXPECT_EQ(memory[4128 + 36], 0xFF) << "past the image";
  EXPECT_THROW(MemoryFromImage(std::vector<std::uint8_t>(8129), 8192), std::invalid_argument);
  EXPECT_NO_THROW(MemoryFromImage(std::vector<std::uint8_t>(8128), 8192));
  EXPECT_THROW(FactoryMemory(4096), std::invalid_argument);
  EXPECT_THROW(ImageFromMemory(std::vector<std::uint8_t>(100)), std::invalid_argument);

  const auto factory = FactoryMemory(32768);
  const auto read = ImageFromMemory(factory);
  ASSERT_EQ(read.size(), 32768u - 64);
  EXPECT_EQ(read[16384 - 32], factory[16384 + 32]) << "page 512 is skipped";
  EXPECT_EQ(MemoryFromImage(read, 32768), factory);
}

}  // namespace
}  // namespace mk::sim
