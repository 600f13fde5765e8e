// SPDX-License-Identifier: GPL-3.0-or-later
// The question before a write: asked after the re-read with the MK's memory
// and what will be written, before the backup and the first BeginWrite; a
// "no" sends nothing more.
#include <gtest/gtest.h>

#include "device/transfer.h"
#include "device/transfer_doubles.h"

namespace mk::device {
namespace {

using testing::Bench;

std::size_t Requests(const Bench& b) {
  return b.rig.mk.RequestCount(sim::kIdentify) + b.rig.mk.RequestCount(sim::kReadBlock) +
         b.Writes();
}

TEST(WriteQuestion, ComesBetweenTheReReadAndTheBackupAndANoSendsNothingMore) {
  for (const bool yes : {false, true}) {
    Bench b(253);
    b.rig.mk.SetDeviceVersion(1);
    b.rig.mk.Memory()[3000] = 0x5C;  // the MK's own
    const std::vector<std::uint8_t> memory(b.rig.mk.Memory().begin(), b.rig.mk.Memory().end());
    TMK mk;
    mk.ReplaceImage(1, sim::ImageFromMemory(sim::FactoryMemory(8192)));
    mk.Rec(BlockId::Limits).SetInt("VelocityLimit", 50);
    mk.StoreAll();
    const std::vector<std::uint8_t> held = mk.Image();

    int asked = 0, backups = 0;
    std::size_t requests_when_asked = 0;
    WriteOptions options;
    options.backup = [&](std::uint16_t, std::span<const std::uint8_t>) {
      ++backups;
      return std::filesystem::path("/b.vrnkp");
    };
    options.confirm = [&](const TMK& fresh, const TMK& to_write) {
      ++asked;
      requests_when_asked = Requests(b);
      EXPECT_EQ(backups, 0);
      EXPECT_EQ(fresh.Image(), sim::ImageFromMemory(memory));
      EXPECT_EQ(fresh.Rec(BlockId::Limits).GetInt("VelocityLimit"), 40);
      EXPECT_EQ(to_write.Rec(BlockId::Limits).GetInt("VelocityLimit"), 50);
      return yes;
    };
    const TransferResult result =
        WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt, nullptr, options);
    EXPECT_EQ(asked, 1);
    if (yes) {
      EXPECT_EQ(result, TransferResult::Done);
      EXPECT_EQ(backups, 1);
      EXPECT_GT(b.Writes(), 0u);
    } else {
      EXPECT_EQ(result, TransferResult::Cancelled);
      EXPECT_EQ(Requests(b), requests_when_asked);
      EXPECT_EQ(b.Writes(), 0u);
      EXPECT_EQ(backups, 0);
      EXPECT_EQ(std::vector<std::uint8_t>(b.rig.mk.Memory().begin(), b.rig.mk.Memory().end()),
                memory);
      EXPECT_TRUE(b.prompt.infos.empty());
      EXPECT_EQ(mk.Image(), held) << "the model as it was";
    }
  }
}

}  // namespace
}  // namespace mk::device
