// SPDX-License-Identifier: GPL-3.0-or-later
// The safety net around a write: the backup before the first BeginWrite, the
// read-back after the last EndWrite, and what the user is told when a write
// stops half-way.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "device/transfer.h"
#include "device/transfer_doubles.h"
#include "text/error.h"

namespace mk::device {
namespace {

using testing::Bench;
using FaultKind = sim::FaultKind;
using Bytes = std::vector<std::uint8_t>;

const std::string kBackup = "/backups/backup-2026-12-08-120000-000-v1.vrnkp";

void LoadFactory(TMK& mk, std::size_t size) {
  mk.ReplaceImage(1, sim::ImageFromMemory(sim::FactoryMemory(size)));
}

// Records what the write hands over for its backup.
struct BackupSpy {
  explicit BackupSpy(Bench* b) : bench(b) {}
  WriteOptions Options(bool verify = true) {
    WriteOptions o;
    o.verify = verify;
    o.backup = [this](std::uint16_t version, std::span<const std::uint8_t> image) {
      ++calls;
      device_version = version;
      saved.assign(image.begin(), image.end());
      writes_before = bench->Writes();
      if (!refuse.empty()) throw Error(refuse);
      return std::filesystem::path(kBackup);
    };
    return o;
  }

  Bench* bench = nullptr;
  int calls = 0;
  std::uint16_t device_version = 0;
  Bytes saved;
  std::size_t writes_before = 0;
  std::string refuse;
};

// Answers of a write of the factory image up to and including block `k`'s
// BeginWrite and its first `chunks` chunks: the connect, the re-read, then
// every block before k whole.
std::uint32_t AnswersUpTo(const TMK& mk, std::size_t memory, int k, std::uint32_t chunks) {
  std::uint32_t n = 1 + static_cast<std::uint32_t>(memory / 32 - 2);
  for (int i = 1; i < k; ++i)
    n += 2 + static_cast<std::uint32_t>((mk.Directory().DataLength(i) + 31) / 32);
  return n + 1 + chunks;
}

PartialWriteError PartialOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const PartialWriteError& e) {
    return e;
  } catch (const Error& e) {
    ADD_FAILURE() << "not a partial write: " << e.what();
  }
  ADD_FAILURE() << "no error";
  return PartialWriteError("", "", {});
}

TEST(Backup, HoldsTheMksMemoryAsReadAndIsMadeBeforeAnythingIsWritten) {
  Bench b(253);
  b.rig.mk.SetDeviceVersion(1);
  b.rig.mk.Memory()[3000] = 0x5C;  // the MK's own, not the file's
  const Bytes before = sim::ImageFromMemory(b.rig.mk.Memory());
  TMK mk;
  LoadFactory(mk, 8192);
  mk.Rec(BlockId::Limits).SetInt("VelocityLimit", 50);
  mk.StoreAll();
  BackupSpy spy(&b);

  ASSERT_EQ(WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt, nullptr, spy.Options()),
            TransferResult::Done);
  EXPECT_EQ(spy.calls, 1);
  EXPECT_EQ(spy.device_version, 1);
  EXPECT_EQ(spy.saved, before);
  EXPECT_EQ(spy.writes_before, 0u);
  EXPECT_NE(sim::ImageFromMemory(b.rig.mk.Memory()), before) << "the write went on";
  EXPECT_EQ(b.prompt.infos, std::vector<std::string>{"Настройки записаны в МК"});
}

TEST(Backup, ThatFailsStopsTheWriteBeforeTheFirstBeginWrite) {
  Bench b(253);
  const Bytes before(b.rig.mk.Memory().begin(), b.rig.mk.Memory().end());
  TMK mk;
  LoadFactory(mk, 8192);
  mk.Rec(BlockId::Limits).SetInt("VelocityLimit", 50);
  BackupSpy spy(&b);
  spy.refuse = "Не удалось сохранить резервную копию памяти МК «x». Причина: нет места на диске.";

  try {
    WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt, nullptr, spy.Options());
    ADD_FAILURE() << "the write went on";
  } catch (const PartialWriteError&) {
    ADD_FAILURE() << "something was written";
  } catch (const Error& e) {
    EXPECT_EQ(e.what(), spy.refuse);
  }
  EXPECT_EQ(b.Writes(), 0u);
  EXPECT_EQ(Bytes(b.rig.mk.Memory().begin(), b.rig.mk.Memory().end()), before);
  EXPECT_TRUE(b.prompt.infos.empty());
}

TEST(Verify, AnMkThatKeepsOneBlockUnchangedFailsWithThatBlocksNumber) {
  Bench b(253);
  TMK mk;
  LoadFactory(mk, 8192);
  mk.Rec(BlockId::Limits).SetInt("VelocityLimit", 50);  // block 6 differs from the MK's
  b.rig.mk.SetIgnoredRegion(mk.Directory().BlockAddress[5]);
  BackupSpy spy(&b);

  const PartialWriteError e = PartialOf(
      [&] { WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt, nullptr, spy.Options()); });
  const auto limits = mk.Directory().BlockAddress[5];
  EXPECT_EQ(e.Cause(), "Проверка записи: блок 6 в МК не совпадает с записанным (адрес " +
                           std::to_string(limits) + ").");
  EXPECT_EQ(std::string(e.what()), e.Cause() +
                                       "\n\nМК может хранить смесь старых и новых настроек.\n"
                                       "Резервная копия памяти МК до записи: " +
                                       kBackup);
  EXPECT_EQ(e.Written().size(), 14u);
  EXPECT_TRUE(b.prompt.infos.empty());
}

TEST(Verify, ReadsBackEveryWrittenPageOnceAndIsSkippedWhenOff) {
  for (const bool verify : {true, false}) {
    Bench b(253);
    TMK mk;
    LoadFactory(mk, 8192);
    BackupSpy spy(&b);
    ASSERT_EQ(WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt, nullptr, spy.Options(verify)),
              TransferResult::Done);
    std::set<std::size_t> pages;
    for (int k = 1; k <= 14; ++k) {
      const std::size_t a = mk.Directory().BlockAddress[static_cast<std::size_t>(k - 1)];
      const std::size_t l = mk.Directory().DataLength(k);
      for (std::size_t at = a; at < a + l; ++at) pages.insert(at / 32);
    }
    EXPECT_EQ(b.rig.mk.RequestCount(sim::kReadBlock), 8192 / 32 - 2 + (verify ? pages.size() : 0))
        << verify;
    EXPECT_EQ(b.prompt.infos, std::vector<std::string>{"Настройки записаны в МК"});
  }
}

TEST(HalfWritten, ACablePulledAtBlockFiveNamesTheLinksTextTheWrittenBlocksAndTheBackup) {
  Bench b(253);
  TMK mk;
  LoadFactory(mk, 8192);
  sim::FaultPlan plan = sim::FaultPlan::Always(FaultKind::kSilence);
  plan.after = AnswersUpTo(mk, 8192, 5, 1);
  b.rig.mk.SetFaults(plan);
  BackupSpy spy(&b);

  const PartialWriteError e = PartialOf(
      [&] { WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt, nullptr, spy.Options()); });
  EXPECT_EQ(e.Cause(), link::kNoLink);
  EXPECT_EQ(e.Written(), (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(std::string(e.what()),
            std::string(link::kNoLink) +
                "\n\nМК теперь хранит часть новых настроек. Записаны блоки 1–4 из 14; запись "
                "блока 5 прервана.\nРезервная копия памяти МК до записи: " +
                kBackup);
  EXPECT_EQ(b.rig.mk.Commits().size(), 4u);
}

TEST(HalfWritten, TheFirstBlockCutAndNoBackupAreSaidSo) {
  Bench b(253);
  TMK mk;
  LoadFactory(mk, 8192);
  sim::FaultPlan plan = sim::FaultPlan::Always(FaultKind::kBadChecksum);
  plan.after = AnswersUpTo(mk, 8192, 1, 0);
  b.rig.mk.SetFaults(plan);

  const PartialWriteError e =
      PartialOf([&] { WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt); });
  EXPECT_EQ(e.Cause(), "RS232. Ошибка обмена.(0)") << "the code keeps its text";
  EXPECT_TRUE(e.Written().empty());
  EXPECT_EQ(std::string(e.what()),
            "RS232. Ошибка обмена.(0)\n\nМК может хранить часть новых настроек. Ни один блок не "
            "записан полностью; запись блока 1 прервана.\nРезервная копия памяти МК до записи "
            "не сохранялась.");
}

TEST(HalfWritten, AnMkGoneDuringTheReadBackEndsWithTheLinksTextAndTheBackup) {
  Bench b(253);
  TMK mk;
  LoadFactory(mk, 8192);
  sim::FaultPlan plan = sim::FaultPlan::Always(FaultKind::kSilence);
  plan.after = AnswersUpTo(mk, 8192, 15, 0) - 1 + 3;  // three pages read back
  b.rig.mk.SetFaults(plan);
  BackupSpy spy(&b);

  const PartialWriteError e = PartialOf(
      [&] { WriteSettings(b.rs, mk, b.progress, b.pump, b.prompt, nullptr, spy.Options()); });
  EXPECT_EQ(e.Cause(), link::kNoLink);
  EXPECT_EQ(e.Written().size(), 14u);
  EXPECT_EQ(std::string(e.what()),
            std::string(link::kNoLink) +
                "\n\nВсе блоки записаны, но проверка записанного прервана: МК может хранить часть "
                "новых настроек.\nРезервная копия памяти МК до записи: " +
                kBackup);
}

}  // namespace
}  // namespace mk::device
