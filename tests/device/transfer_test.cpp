// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/transfer.h"

#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include "device/transfer_doubles.h"
#include "device/transfer_plan.h"
#include "text/byte_io.h"
#include "text/error.h"

namespace mk::device {
namespace {

using testing::Bench;
using FaultKind = sim::FaultKind;
using Bytes = std::vector<std::uint8_t>;

const std::string kConnecting = "Не могу подключиться к МК...";
const std::string kReading = "Чтение настроек...";
const std::string kWriting = "Запись настроек...";
const std::string kVerifying = "Проверка записанного...";

// The model as a file load would leave it: the MK's factory image, parsed.
void LoadFactory(TMK& mk, std::size_t size, std::uint16_t device_version = 1) {
  mk.ReplaceImage(device_version, sim::ImageFromMemory(sim::FactoryMemory(size)));
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Error& e) {
    return e.what();
  }
  return "";
}

// --- Reading ------------------------------------------------------------------

class ReadAtEachAddress : public ::testing::TestWithParam<std::uint8_t> {};

TEST_P(ReadAtEachAddress, GivesTheWholeMemoryButTheFirstPageOfEachHalf) {
  Bench b(GetParam());
  b.rig.mk.SetDeviceVersion(0x0A07);
  TMK mk;
  Connection found;

  ASSERT_EQ(ReadSettings(b.rs, mk, b.progress, b.pump, &found), TransferResult::Done);

  const std::size_t size = b.rig.mk.MemorySize();
  EXPECT_EQ(found.DeviceAddress, GetParam());
  EXPECT_EQ(found.MemorySize, size);
  EXPECT_EQ(mk.DeviceVersion(), 0x0A07);
  ASSERT_EQ(mk.Image().size(), size - 64);
  EXPECT_EQ(mk.Image(), sim::ImageFromMemory(b.rig.mk.Memory()));
  EXPECT_EQ(b.rig.mk.RequestCount(sim::kReadBlock), size / 32 - 2);
  EXPECT_EQ(b.progress.labels, (std::vector<std::string>{kConnecting, kReading}));
  EXPECT_TRUE(b.progress.gauge_visible);
  EXPECT_FALSE(b.progress.cancel_visible);
  EXPECT_TRUE(b.rig.mk.Violations().empty());
}

INSTANTIATE_TEST_SUITE_P(Addresses, ReadAtEachAddress, ::testing::Values(252, 253, 254),
                         [](const auto& p) { return std::to_string(p.param); });

TEST(ReadGauge, Over1022BlocksOfA32KMemoryItClimbsTo100) {
  Bench b(254);
  TMK mk;
  ASSERT_EQ(ReadSettings(b.rs, mk, b.progress, b.pump), TransferResult::Done);
  const auto& g = b.progress.gauge;
  ASSERT_EQ(g.size(), 1u + 1022u);
  EXPECT_EQ(g.front(), 0);
  EXPECT_TRUE(std::is_sorted(g.begin(), g.end()));
  EXPECT_EQ(g[1], 0) << "round(100/1022)";
  EXPECT_EQ(g[511], 50) << "the last block of the first half, n = 511";
  EXPECT_EQ(g.back(), 100);
}

TEST(ReadFaults, ABadAnswerInTheMiddleIsRetried) {
  Bench b(253);
  sim::FaultPlan plan = sim::FaultPlan::NextAnswers(1, FaultKind::kBadChecksum);
  plan.after = 100;
  b.rig.mk.SetFaults(plan);
  TMK mk;
  ASSERT_EQ(ReadSettings(b.rs, mk, b.progress, b.pump), TransferResult::Done);
  EXPECT_EQ(mk.Image(), sim::ImageFromMemory(b.rig.mk.Memory()));
  EXPECT_EQ(b.rig.mk.RequestCount(sim::kReadBlock), 8192 / 32 - 2 + 1);
}

struct Stall {
  const char* name;
  FaultKind kind;
  std::string message;
};

class ReadStall : public ::testing::TestWithParam<Stall> {};

TEST_P(ReadStall, EndsWithTheLinksMessageAndLeavesTheModelAsItWas) {
  Bench b(252);
  TMK mk;
  LoadFactory(mk, 8192, 0x0301);
  mk.Image()[500] ^= 0x5A;  // something only this model holds
  const auto image_before = mk.Image();
  sim::FaultPlan plan = sim::FaultPlan::Always(GetParam().kind);
  plan.after = 60;  // Identify, then 59 blocks
  b.rig.mk.SetFaults(plan);

  EXPECT_EQ(ErrorOf([&] { ReadSettings(b.rs, mk, b.progress, b.pump); }), GetParam().message);
  EXPECT_EQ(mk.Image(), image_before);
  EXPECT_EQ(mk.DeviceVersion(), 0x0301);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ReadStall,
                         ::testing::Values(Stall{"Silence", FaultKind::kSilence, link::kNoLink},
                                           Stall{"Truncated", FaultKind::kTruncated,
                                                 link::kByteDelay},
                                           Stall{"Busy", FaultKind::kBusy, link::kBusy},
                                           Stall{"BadChecksum", FaultKind::kBadChecksum,
                                                 std::string(link::kExchangeError) + "(0)"}),
                         [](const auto& p) { return std::string(p.param.name); });

// --- Connecting ---------------------------------------------------------------

TEST(Connect, CancelWhileTheMkIsSilentEndsQuietly) {
  Bench b(253);
  b.rig.mk.SetFaults(sim::FaultPlan::Always(FaultKind::kSilence));
  b.progress.cancel_after = 5;
  TMK mk;
  LoadFactory(mk, 8192);
  const auto before = mk.Image();

  EXPECT_EQ(ReadSettings(b.rs, mk, b.progress, b.pump), TransferResult::Cancelled);
  EXPECT_EQ(WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt), TransferResult::Cancelled);

  EXPECT_EQ(b.progress.labels.back(), kConnecting);
  EXPECT_FALSE(b.progress.gauge_visible);
  EXPECT_TRUE(b.progress.cancel_visible);
  EXPECT_EQ(mk.Image(), before);
  EXPECT_EQ(b.rig.mk.RequestCount(sim::kReadBlock), 0u);
  EXPECT_TRUE(b.prompt.errors.empty());
}

TEST(Connect, GoesRoundTheAddressesUntilTheMkAnswers) {
  // 253 stays silent through its three tries, twice over; the cycle comes back to it.
  Bench b(253);
  b.rig.mk.SetFaults(sim::FaultPlan::NextAnswers(6, FaultKind::kSilence));
  const auto found = ConnectCycle(b.rs, b.progress, b.pump);
  ASSERT_TRUE(found.has_value());
  EXPECT_EQ(found->DeviceAddress, 253);
  EXPECT_EQ(found->MemorySize, 8192u);
  EXPECT_EQ(b.rig.mk.RequestCount(sim::kIdentify), 7u);
  EXPECT_EQ(b.rs.ResponseTimeout(), 100);
}

// The address that answered last time on the port is asked first, once: the
// right guess saves the time-outs of the addresses before it, a wrong one
// costs one time-out and the quiet after it.
TEST(Connect, AsksTheGuessedAddressFirstAndOnce) {
  const auto connect = [](std::uint8_t guess) {
    Bench b(254);
    const std::uint32_t start = b.rig.clock.TickCount();
    const auto found = ConnectCycle(b.rs, b.progress, b.pump, guess);
    EXPECT_TRUE(found.has_value());
    EXPECT_EQ(found ? found->DeviceAddress : 0, 254);
    EXPECT_EQ(b.rig.mk.RequestCount(sim::kIdentify), 1u);
    return b.rig.clock.TickCount() - start;
  };
  const std::uint32_t unguessed = connect(0);
  EXPECT_EQ(connect(7), unguessed) << "no address of an MK: no guess";
  EXPECT_LE(connect(254), 100u + 5u) << "the quiet after opening, then the answer";
  const std::uint32_t wrong = connect(252);
  EXPECT_GE(wrong, unguessed + 100);
  EXPECT_LE(wrong, unguessed + 2 * 100 + 5);
}

// --- Writing ------------------------------------------------------------------

class WriteAtEachAddress : public ::testing::TestWithParam<std::uint8_t> {};

TEST_P(WriteAtEachAddress, LaysTheSettingsOverTheMksMemoryAndWritesEveryBlock) {
  Bench b(GetParam());
  const std::size_t size = b.rig.mk.MemorySize();
  TMK mk;
  LoadFactory(mk, size);
  mk.Rec(BlockId::Limits).SetInt("VelocityLimit", 55);
  mk.Rec(BlockId::ErrorJournal).Bytes()[20] = 0;  // a cleared error slot
  mk.StoreAll();

  // Meanwhile the MK has driven on: its block 12, cargo and recording differ.
  TMK device_view;
  device_view.ReplaceImage(1, sim::ImageFromMemory(b.rig.mk.Memory()));
  const auto b12 = static_cast<std::size_t>(device_view.Directory().Position(12));
  const auto b14 = static_cast<std::size_t>(device_view.Directory().Position(14));
  auto memory = b.rig.mk.Memory();
  memory[b12 + 32 + 3] = 0x77;
  memory[b14 + 32] = 0x99;
  memory[kOscPart1Position + 32 + 100] = 0x11;
  memory[0] = 0x42;  // a page no read sees
  const std::vector<std::uint8_t> mk_before(memory.begin(), memory.end());

  ASSERT_EQ(WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt), TransferResult::Done);

  EXPECT_EQ(b.prompt.infos, std::vector<std::string>{"Настройки записаны в МК"});
  EXPECT_TRUE(b.prompt.errors.empty());
  EXPECT_TRUE(b.rig.mk.Violations().empty()) << b.rig.mk.Violations().front();
  ASSERT_GE(b.progress.labels.size(), 2u);
  EXPECT_EQ(b.progress.labels.end()[-2], kWriting);
  EXPECT_EQ(b.progress.labels.back(), kVerifying);
  EXPECT_EQ(b.progress.gauge.back(), 100);
  EXPECT_EQ(b.rs.ResponseTimeout(), 2000);

  // Every directory block, 12 and 14 included, in directory order.
  const auto& commits = b.rig.mk.Commits();
  ASSERT_EQ(commits.size(), 14u);
  for (int k = 1; k <= 14; ++k) {
    EXPECT_EQ(commits[static_cast<std::size_t>(k - 1)].address, mk.Directory().BlockAddress[k - 1]);
    EXPECT_EQ(commits[static_cast<std::size_t>(k - 1)].length, mk.Directory().DataLength(k));
  }
  // Byte for byte: the model's image is the MK's memory with the settings laid
  // over it, and that is what the MK now holds.
  EXPECT_EQ(sim::ImageFromMemory(b.rig.mk.Memory()), mk.Image());
  EXPECT_EQ(mk.Image()[b12 + 3], 0x77);
  EXPECT_EQ(mk.Image()[b14], 0x99);
  EXPECT_EQ(b.rig.mk.Memory()[kOscPart1Position + 32 + 100], 0x11);
  EXPECT_EQ(b.rig.mk.Memory()[0], 0x42);
  EXPECT_EQ(mk.Rec(BlockId::Limits).GetInt("VelocityLimit"), 55);
  const auto limits = static_cast<std::size_t>(mk.Directory().Position(6));
  EXPECT_EQ(b.rig.mk.Memory()[limits + 32], 55);
}

INSTANTIATE_TEST_SUITE_P(Addresses, WriteAtEachAddress, ::testing::Values(252, 253, 254),
                         [](const auto& p) { return std::to_string(p.param); });

TEST(WriteChecks, ADeviceOfAnotherVersionGetsNothingNotEvenARead) {
  Bench b(253);
  b.rig.mk.SetDeviceVersion(2);
  TMK mk;
  LoadFactory(mk, 8192, 1);
  const auto before = mk.Image();
  EXPECT_EQ(WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt), TransferResult::Refused);
  EXPECT_EQ(b.prompt.errors,
            std::vector<std::string>{"Версия настроек не совпадает с версией устройства!"});
  EXPECT_EQ(b.rig.mk.RequestCount(sim::kReadBlock), 0u);
  EXPECT_EQ(b.Writes(), 0u);
  EXPECT_EQ(mk.Image(), before);
  EXPECT_TRUE(b.prompt.infos.empty());
}

TEST(WriteChecks, AnotherFirmwareStopsAfterTheReadWithTheSettingsLaidOver) {
  Bench b(253);
  TMK mk;
  auto image = sim::ImageFromMemory(sim::FactoryMemory(8192));
  bytes::WriteU32(image, BlockDirectory::kFirmwareVersionOffset, 4);
  mk.ReplaceImage(1, image);
  mk.Rec(BlockId::Limits).SetInt("TankLimit", 7);

  EXPECT_EQ(WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt), TransferResult::Refused);
  EXPECT_EQ(b.prompt.errors,
            std::vector<std::string>{"Версия настроек не совпадает с версией прошивки!"});
  EXPECT_EQ(b.Writes(), 0u);
  EXPECT_EQ(mk.FirmwareVersion(), sim::kFactoryFirmwareVersion) << "the MK's image is held";
  EXPECT_EQ(mk.Rec(BlockId::Limits).GetInt("TankLimit"), 7) << "and so are the user's records";
}

TEST(WriteFaults, ALinkErrorDuringTheReReadLeavesTheModelAsItWas) {
  Bench b(254);
  TMK mk;
  LoadFactory(mk, 32768);
  mk.Rec(BlockId::Parking).SetInt("ParkType", 2);
  const auto image_before = mk.Image();
  const auto records_before = mk.CopyRecords(kStoredBlocks).records;
  sim::FaultPlan plan = sim::FaultPlan::Always(FaultKind::kSilence);
  plan.after = 700;
  b.rig.mk.SetFaults(plan);

  EXPECT_EQ(ErrorOf([&] { WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt); }), link::kNoLink);
  EXPECT_EQ(mk.Image(), image_before);
  EXPECT_EQ(mk.CopyRecords(kStoredBlocks).records, records_before);
  EXPECT_EQ(b.Writes(), 0u);
}

// --- Region shapes and hostile directories ---------------------------------------

// Moves block k of the MK's own directory (the one a write goes by).
void SetMkEntry(Bench& b, int k, std::uint16_t address, std::uint16_t length) {
  auto memory = b.rig.mk.Memory();
  bytes::WriteU16(memory, 32 + 4 + 4 * static_cast<std::size_t>(k - 1), address);
  bytes::WriteU16(memory, 32 + 6 + 4 * static_cast<std::size_t>(k - 1), length);
}

// Settings made from the MK's own memory: the same directory.
void LoadMks(Bench& b, TMK& mk) {
  mk.ReplaceImage(1, sim::ImageFromMemory(b.rig.mk.Memory()));
}

struct Shape {
  std::uint16_t data;
  std::size_t chunks;
};

class RegionShape : public ::testing::TestWithParam<Shape> {};

TEST_P(RegionShape, ChunksOf32AndOneShortOneOnlyWhenSomethingRemains) {
  Bench b(253);
  // Block 12 moved to free memory before the recording, with a data part of `data` bytes.
  SetMkEntry(b, 12, 3300, static_cast<std::uint16_t>(GetParam().data + 4));
  TMK mk;
  LoadMks(b, mk);
  const std::size_t chunks_before_12 = [&] {
    std::size_t n = 0;
    for (int k = 1; k <= 11; ++k) n += (mk.Directory().DataLength(k) + 31) / 32;
    return n;
  }();

  ASSERT_EQ(WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt), TransferResult::Done);
  EXPECT_TRUE(b.rig.mk.Violations().empty()) << b.rig.mk.Violations().front();
  ASSERT_EQ(b.rig.mk.Commits().size(), 14u);
  EXPECT_EQ(b.rig.mk.Commits()[11], (sim::Region{3300, GetParam().data}));
  std::size_t after_12 = 0;
  for (int k = 13; k <= 14; ++k) after_12 += (mk.Directory().DataLength(k) + 31) / 32;
  EXPECT_EQ(b.rig.mk.RequestCount(sim::kWriteChunk),
            chunks_before_12 + GetParam().chunks + after_12);
  EXPECT_EQ(b.rig.mk.RequestCount(sim::kBeginWrite), 14u);
  EXPECT_EQ(b.rig.mk.RequestCount(sim::kEndWrite), 14u);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RegionShape,
                         ::testing::Values(Shape{0, 0}, Shape{1, 1}, Shape{32, 1}, Shape{33, 2},
                                           Shape{64, 2}, Shape{65, 3}),
                         [](const auto& p) { return "Bytes" + std::to_string(p.param.data); });

TEST(HostileDirectory, ABlockCountOfFourBillionWritesTheFourteenEntries) {
  Bench b(253);
  bytes::WriteU32(b.rig.mk.Memory(), 32, 4'000'000'000u);
  TMK mk;
  LoadMks(b, mk);
  ASSERT_EQ(WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt), TransferResult::Done);
  EXPECT_EQ(b.rig.mk.Commits().size(), 14u);
  EXPECT_EQ(b.progress.gauge.back(), 100);
}

// A file whose directory differs from the MK's would have its records laid
// at the MK's places though they were cut from its own: shifted or foreign bytes.
TEST(LayoutMismatch, IsRefusedBeforeTheFirstBeginWriteAndTheModelKeepsItsSettings) {
  struct Case {
    const char* what;
    std::function<void(Bytes&)> change;  // of the file's image
    std::string message_start;
  };
  const std::string layout = "Расположение блоков в файле не совпадает с МК: ";
  const auto entry = [](int k) { return static_cast<std::size_t>(4 + 4 * (k - 1)); };
  const Case cases[] = {
      {"address moved by one",
       [&](Bytes& i) {
         bytes::WriteU16(i, entry(3), static_cast<std::uint16_t>(bytes::ReadU16(i, entry(3)) + 1));
       },
       layout + "блок 3 в файле: адрес "},
      {"length of one record more",
       [&](Bytes& i) {
         bytes::WriteU16(i, entry(5) + 2,
                         static_cast<std::uint16_t>(bytes::ReadU16(i, entry(5) + 2) * 2));
       },
       layout + "блок 5 в файле: адрес "},
      {"into the journals",
       [&](Bytes& i) { bytes::WriteU16(i, entry(2), bytes::ReadU16(i, entry(7))); },
       layout + "блок 2 в файле: адрес "},
      {"another block count", [](Bytes& i) { bytes::WriteU32(i, 0, 0); },
       layout + "блоков в файле 0, в МК 14. Ничего не записано."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bench b(253);
    auto image = sim::ImageFromMemory(sim::FactoryMemory(8192));
    c.change(image);
    TMK mk;
    mk.ReplaceImage(1, image);
    EXPECT_EQ(WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt), TransferResult::Refused);
    ASSERT_EQ(b.prompt.errors.size(), 1u);
    EXPECT_EQ(b.prompt.errors[0].rfind(c.message_start, 0), 0u) << b.prompt.errors[0];
    EXPECT_NE(b.prompt.errors[0].find("Ничего не записано."), std::string::npos);
    EXPECT_EQ(b.Writes(), 0u);
    EXPECT_TRUE(b.prompt.infos.empty());
    EXPECT_EQ(mk.Image(), image);
  }

  // Both without blocks: nothing to write is not a write that succeeded.
  Bench b(253);
  bytes::WriteU32(b.rig.mk.Memory(), 32, 0);
  TMK mk;
  LoadMks(b, mk);
  EXPECT_EQ(WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt), TransferResult::Refused);
  EXPECT_EQ(
      b.prompt.errors,
      std::vector<std::string>{"В настройках нет ни одного блока для записи. Ничего не записано."});
  EXPECT_EQ(b.Writes(), 0u);
  EXPECT_TRUE(b.prompt.infos.empty());
}

struct Outside {
  const char* name;
  std::uint16_t address;
  std::uint16_t length;
};

class BlockOutside : public ::testing::TestWithParam<Outside> {};

TEST_P(BlockOutside, IsRefusedBeforeAnythingIsWritten) {
  Bench b(253);
  SetMkEntry(b, 12, GetParam().address, GetParam().length);
  TMK mk;
  LoadMks(b, mk);
  const auto before = mk.Image();
  EXPECT_EQ(ErrorOf([&] { WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt); }),
            "Блок 12 настроек лежит вне образа памяти.");
  EXPECT_EQ(b.Writes(), 0u);
  EXPECT_EQ(mk.Image(), before);
}

INSTANTIATE_TEST_SUITE_P(Places, BlockOutside,
                         ::testing::Values(Outside{"FarPastTheMemory", 0xFFF0, 20},
                                           Outside{"InThePageNoReadSees", 31, 4},
                                           Outside{"AtAddressZero", 0, 4},
                                           Outside{"AcrossTheEndOfTheHalf", 4090, 11},
                                           Outside{"LongerThanTheMemory", 100, 0xFFFF}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(RegionPlan, TheLastBytesOfTheFirstHalfAreStillInside) {
  BlockDirectory d;
  d.BlockCount = 2;
  d.BlockAddress = {32, 4090};
  d.BlockLength = {3, 10};  // a length below 4 moves nothing
  const auto regions = PlanRegions(d, 8128, 8192);
  ASSERT_EQ(regions.size(), 2u);
  EXPECT_EQ(regions[0].position, 0u);
  EXPECT_EQ(regions[0].bytes, 0u);
  EXPECT_EQ(regions[1].position, 4058u);
  EXPECT_EQ(regions[1].bytes, 6u);
  EXPECT_THROW(PlanRegions(d, 4063, 8192), Error) << "an image that ends one byte short";
}

TEST(RegionPlan, PercentRoundsHalvesUp) {
  EXPECT_EQ(RoundPercent(255, 254), 100);
  EXPECT_EQ(RoundPercent(127, 254), 50);
  EXPECT_EQ(RoundPercent(1, 8), 13);
  EXPECT_EQ(RoundPercent(1, 3), 33);
  EXPECT_EQ(RoundPercent(0, 0), 0);
}

}  // namespace
}  // namespace mk::device
