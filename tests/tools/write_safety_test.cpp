// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl write's safety net against mk-sim: the backup of the MK's memory, the
// read-back, the exchange log, and the message of a write cut half-way.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "device/backup_store.h"
#include "device/mk.h"
#include "device/settings_file.h"
#include "sim/factory_image.h"
#include "support/files.h"
#include "support/sim_process.h"
#include "support/tool_run.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using mk::tests::Mkctl;
using mk::tests::ReadBytes;
using mk::tests::ReadText;
using mk::tests::SimProcess;
using mk::tests::TempFolder;
using mk::tests::ToolRun;

const std::string kNoLink = "RS232. Нет связи. Проверьте правильность соединения PC и устройства.";
// What writing the edited file changes in the factory MK, printed before the write.
const std::string kChanges = "Изменится в МК:\nГраницы / Скорость, км/час: 80 → 122\nРазличий: 1\n";

// No test of this program leaves a backup in the user's own data folder.
class DataHomeInTemp : public ::testing::Environment {
 public:
  void SetUp() override { setenv("XDG_DATA_HOME", home_.c_str(), 1); }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(home_, ignored);
  }

 private:
  fs::path home_ = fs::temp_directory_path() / ("mkctl-data-" + std::to_string(getpid()));
};
const auto* const kDataHome = ::testing::AddGlobalTestEnvironment(new DataHomeInTemp);

// A folder with the factory MK's settings file (VelocityLimit changed) and
// the data folder the backups go to.
class WriteSafety : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_DATA_HOME", dir_.File("data").c_str(), 1);
    memory_ = mk::sim::FactoryMemory(8192);
    mk::tests::WriteBytes(dir_.File("memory.bin"), memory_);
    mk_.ReplaceImage(1, mk::sim::ImageFromMemory(memory_));
    mk_.Rec(mk::device::BlockId::Limits).SetInt("VelocityLimit", 61);
    mk_.StoreAll();
    mk::device::SaveSettingsFile(file_, mk_);
  }

  SimProcess Sim(std::vector<std::string> extra = {}) {
    std::vector<std::string> args{"--image", dir_.File("memory.bin"), "--save", saved_};
    args.insert(args.end(), extra.begin(), extra.end());
    return SimProcess(args);
  }
  fs::path Backups() const { return dir_.path() / "data" / "mkconfig" / "backups"; }

  TempFolder dir_{"safety"};
  Bytes memory_;
  mk::device::TMK mk_;
  std::string file_ = dir_.File("edited.vrnkp");
  std::string saved_ = dir_.File("saved.bin");
  std::string log_ = dir_.File("exchange.log");
};

TEST_F(WriteSafety, ABackupEqualsTheMemoryBeforeTheWriteAndOnlyTheNewest50Remain) {
  fs::create_directories(Backups());
  std::tm old{};
  old.tm_year = 120;
  old.tm_mday = 1;
  for (int i = 0; i < 55; ++i) {
    old.tm_min = i;
    mk::tests::WriteBytes(Backups() / mk::device::BackupStore::FileName(old, 0, 1), {0, 0});
  }
  const std::string first_old = mk::device::BackupStore::FileName(old, 0, 1);
  {
    SimProcess sim = Sim();
    const ToolRun r = Mkctl("write --port " + sim.path() + " --in " + file_);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto all = mk::device::BackupStore(Backups()).List();
    ASSERT_EQ(all.size(), 50u);
    EXPECT_EQ(r.out, kChanges + "backup " + all.back().string() + "\nНастройки записаны в МК\n");
    const auto backup = mk::device::DecodeSettingsFile(ReadBytes(all.back()));
    EXPECT_EQ(backup.device_version, 1);
    EXPECT_EQ(backup.image, mk::sim::ImageFromMemory(memory_));
    EXPECT_EQ(all.front().filename().string().substr(0, 25), "backup-2020-01-01-000600-")
        << "the five oldest went";
  }
  EXPECT_EQ(mk::sim::ImageFromMemory(ReadBytes(saved_)), mk_.Image());
}

TEST_F(WriteSafety, AReadOnlyBackupFolderSendsNothing) {
  fs::create_directories(Backups());
  const mk::tests::ReadOnlyFolder read_only(Backups());
  if (!read_only.Works()) GTEST_SKIP() << "this file system lets us write anywhere";
  {
    SimProcess sim = Sim();
    const ToolRun r = Mkctl("--log " + log_ + " write --port " + sim.path() + " --in " + file_);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, kChanges);
    EXPECT_NE(r.err.find("Не удалось сохранить резервную копию памяти МК «" + Backups().string()),
              std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("Причина: нет прав на запись."), std::string::npos) << r.err;
  }
  EXPECT_EQ(ReadBytes(saved_), memory_);
  const std::string log = ReadText(log_);
  EXPECT_NE(log.find("ReadBlock"), std::string::npos);
  EXPECT_EQ(log.find("BeginWrite"), std::string::npos) << "nothing was sent to be written";
}

TEST_F(WriteSafety, AnMkThatKeepsOneBlockUnchangedFailsVerificationWithThatBlock) {
  const std::string block6 = std::to_string(mk_.Directory().BlockAddress[5]);
  SimProcess sim = Sim({"--ignore-region", block6});
  const ToolRun r = Mkctl("write --port " + sim.path() + " --in " + file_);
  EXPECT_EQ(r.status, 1);
  const auto all = mk::device::BackupStore(Backups()).List();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(r.err, "Проверка записи: блок 6 в МК не совпадает с записанным (адрес " + block6 +
                       ").\n\nМК может хранить смесь старых и новых настроек.\nРезервная копия "
                       "памяти МК до записи: " +
                       all.front().string() + "\n");

  // Without the read-back the same MK passes for written.
  const ToolRun unchecked =
      Mkctl("write --port " + sim.path() + " --in " + file_ + " --no-verify --no-backup");
  EXPECT_EQ(unchecked.status, 0) << unchecked.err;
  EXPECT_EQ(unchecked.out, kChanges + "Настройки записаны в МК\n");
  EXPECT_EQ(mk::device::BackupStore(Backups()).List().size(), 1u);
}

TEST_F(WriteSafety, ACablePulledAtBlockFiveIsReportedAsAHalfWrittenMk) {
  // Answers before the second chunk of block 5: the connect, the read, blocks 1-4.
  std::size_t answers = 1 + 8192 / 32 - 2;
  for (int k = 1; k <= 4; ++k) answers += 2 + (mk_.Directory().DataLength(k) + 31) / 32;
  answers += 2;
  SimProcess sim = Sim({"--fault", "silence", "--fault-after", std::to_string(answers)});
  const ToolRun r = Mkctl("write --port " + sim.path() + " --in " + file_);
  EXPECT_EQ(r.status, 1);
  const auto all = mk::device::BackupStore(Backups()).List();
  ASSERT_EQ(all.size(), 1u);
  EXPECT_EQ(r.out, kChanges + "backup " + all.front().string() + "\n");
  EXPECT_EQ(r.err, kNoLink +
                       "\n\nМК теперь хранит часть новых настроек. Записаны блоки 1–4 из 14; "
                       "запись блока 5 прервана.\nРезервная копия памяти МК до записи: " +
                       all.front().string() + "\n");
}

// The log without its times: direction, bytes and command of each line.
std::vector<std::string> Frames(const std::string& log) {
  std::vector<std::string> frames;
  std::istringstream in(log);
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    frames.push_back(line.substr(line.find_first_of("<>")));
  }
  return frames;
}

TEST(ExchangeLog, OfAnIdentifyHoldsTheExactFrames) {
  const TempFolder dir("log");
  const std::string log = dir.File("identify.log");
  SimProcess sim({"--address", "252", "--device-version", "513"});
  const ToolRun r = Mkctl("--log " + log + " identify --port " + sim.path());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadText(log).rfind("# mkctl: журнал обмена с МК\n", 0), 0u);
  EXPECT_EQ(Frames(ReadText(log)),
            (std::vector<std::string>{"> 06 fc 01 00 01 fc  Identify",
                                      "< 09 fc 01 00 00 00 01 02 f7  Identify"}));

  // After the command it is the same option; a log that cannot be opened stops nothing.
  const ToolRun after = Mkctl("identify --port " + sim.path() + " --log " + dir.File("no/such/x"));
  EXPECT_EQ(after.status, 0) << after.err;
  EXPECT_NE(after.err.find("Журнал обмена не ведётся: не удалось открыть «" +
                           dir.File("no/such/x") + "»: нет такой папки."),
            std::string::npos)
      << after.err;
  EXPECT_EQ(Mkctl("--log").status, 2);
}

// The address that answered on a port is kept in the user's cache folder and
// asked first the next time: one Identify instead of the time-outs of the
// addresses before it.
TEST(ExchangeLog, ShowsTheLastAnsweringAddressAskedFirst) {
  const TempFolder dir("log");
  const std::string cache = dir.File("cache");
  SimProcess sim({"--address", "254"});
  ASSERT_EQ(Mkctl("identify --port " + sim.path(), cache).status, 0);
  EXPECT_EQ(ReadText(cache + "/mkconfig/addresses"), "254 " + sim.path() + "\n");
  for (const std::string& command :
       {"identify --port " + sim.path(), "read --port " + sim.path() + " --out " + dir.File("r")}) {
    ASSERT_EQ(Mkctl(command + " --log " + dir.File("x.log"), cache).status, 0) << command;
    const auto frames = Frames(ReadText(dir.File("x.log")));
    ASSERT_GE(frames.size(), 2u);
    EXPECT_EQ(frames[0], "> 06 fe 01 00 01 fa  Identify") << command;
    EXPECT_EQ(frames[1].substr(0, 6), "< 09 f") << command;
  }
}

// A log on a full disk is said to be incomplete once; the command's own
// result and status stay.
TEST(ExchangeLog, OnAFullDiskIsSaidToBeIncompleteOnce) {
  SimProcess sim({"--address", "253", "--device-version", "513"});
  const ToolRun r = Mkctl("--log /dev/full identify --port " + sim.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "address 253\nmemory 8192\ndevice-version 513\n");
  EXPECT_EQ(r.err, "Журнал обмена «/dev/full» записан не полностью: нет места на диске.\n");
}

TEST(Dump, KeepsATextWithALineBreakOnOneLine) {
  const TempFolder dir("dump");
  mk::device::TMK mk;
  mk.ReplaceImage(1, mk::sim::ImageFromMemory(mk::sim::FactoryMemory(8192)));
  mk.Rec(mk::device::BlockId::Service).SetText("CandleCntKText", "Свечи\nзаменить");
  mk.StoreAll();
  mk::device::SaveSettingsFile(dir.File("text.vrnkp"), mk);
  const ToolRun r = Mkctl("dump " + dir.File("text.vrnkp"));
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("\nService.CandleCntKText=Свечи\\nзаменить\n"), std::string::npos);
  EXPECT_EQ(r.out.find("\nзаменить"), std::string::npos);
}

TEST(Set, ReadsTheDumpsEscapesBackAndRefusesValuesOutsideTheFieldsRange) {
  const TempFolder dir("set");
  mk::device::TMK mk;
  mk.ReplaceImage(1, mk::sim::ImageFromMemory(mk::sim::FactoryMemory(8192)));
  mk::device::SaveSettingsFile(dir.File("a.vrnkp"), mk);
  ToolRun r = Mkctl("set " + dir.File("a.vrnkp") +
                    " 'Service.CandleCntKText=Свечи\\nзаменить' Limits.VelocityLimit=61 --out " +
                    dir.File("b.vrnkp"));
  ASSERT_EQ(r.status, 0) << r.err;
  mk::device::TMK b;
  mk::device::LoadSettingsFile(dir.File("b.vrnkp"), b);
  EXPECT_EQ(b.Rec(mk::device::BlockId::Service).GetText("CandleCntKText"), "Свечи\nзаменить");
  EXPECT_EQ(b.Rec(mk::device::BlockId::Limits).GetInt("VelocityLimit"), 61);
  r = Mkctl("dump " + dir.File("b.vrnkp"));
  EXPECT_NE(r.out.find("\nService.CandleCntKText=Свечи\\nзаменить\n"), std::string::npos);

  r = Mkctl("set " + dir.File("a.vrnkp") + " Limits.TimeCorr=200 --out " + dir.File("c.vrnkp"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Значение «200» не подходит полю Limits.TimeCorr: от -128 до 127.\n");
  EXPECT_FALSE(fs::exists(dir.File("c.vrnkp")));
  EXPECT_EQ(Mkctl("set " + dir.File("a.vrnkp") + " Limits.TimeCorr=1").status, 2);
  // A line break in a name or a value is said escaped, on the message's one line.
  r = Mkctl("set " + dir.File("a.vrnkp") + " 'Limits.TimeCorr\n=1' --out " + dir.File("c.vrnkp"));
  EXPECT_EQ(r.err, "Нет поля настроек «Limits.TimeCorr\\n».\n");
  r = Mkctl("set " + dir.File("a.vrnkp") + " 'Limits.TimeCorr=1\n' --out " + dir.File("c.vrnkp"));
  EXPECT_EQ(r.err, "Неверное значение «1\\n».\n");

  // The MK keeps Cargo elsewhere: a file never holds it, as the settings command says too.
  r = Mkctl("set " + dir.File("a.vrnkp") + " Cargo.CargoDens=5 --out " + dir.File("d.vrnkp"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Настройка «Cargo.CargoDens» не хранится в файле настроек.\n");
  EXPECT_FALSE(fs::exists(dir.File("d.vrnkp")));
}

}  // namespace

namespace diff {

// The factory MK's settings file with VelocityLimit changed, beside its original.
class MkctlDiff : public WriteSafety {
 protected:
  void SetUp() override {
    WriteSafety::SetUp();
    mk::device::TMK original;
    original.ReplaceImage(1, mk::sim::ImageFromMemory(memory_));
    mk::device::SaveSettingsFile(original_, original);
  }
  std::string original_ = dir_.File("original.vrnkp");
};

TEST_F(MkctlDiff, AFileAndItselfAreEqual) {
  const ToolRun r = Mkctl("diff " + file_ + " " + file_);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Различий: 0\n");
}

TEST_F(MkctlDiff, OneChangedFieldIsOneLine) {
  const ToolRun r = Mkctl("diff " + original_ + " " + file_);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.out, "Limits.VelocityLimit: 40 -> 61\nРазличий: 1\n");
  EXPECT_EQ(Mkctl("diff " + original_ + " " + file_ + " --settings-only").out, r.out);
}

TEST_F(MkctlDiff, SettingsOnlyLeavesOutJournalsAndTotals) {
  mk::device::TMK driven;
  driven.ReplaceImage(1, mk::sim::ImageFromMemory(memory_));
  driven.ClearTripJournal();
  driven.StoreJournals();
  const std::string file = dir_.File("driven.vrnkp");
  mk::device::SaveSettingsFile(file, driven);
  EXPECT_EQ(Mkctl("diff " + original_ + " " + file).status, 1);
  const ToolRun settings = Mkctl("diff " + original_ + " " + file + " --settings-only");
  EXPECT_EQ(settings.status, 0) << settings.out;
}

TEST_F(MkctlDiff, ABackupShowsWhatTheWriteChangedInTheMk) {
  SimProcess sim = Sim();
  const ToolRun write = Mkctl("write --port " + sim.path() + " --in " + file_);
  ASSERT_EQ(write.status, 0) << write.err;
  const auto backups = mk::device::BackupStore(Backups()).List();
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_EQ(Mkctl("diff " + original_ + " " + backups.back().string()).status, 0)
      << "the backup holds the memory before the write";
  const ToolRun after = Mkctl("diff " + backups.back().string() + " --port " + sim.path());
  EXPECT_EQ(after.status, 1) << after.err;
  EXPECT_EQ(after.out, "Limits.VelocityLimit: 40 -> 61\nРазличий: 1\n");
}

TEST_F(MkctlDiff, ShownSaysItInTheEditorsWordsAndEqualsTheWritesList) {
  const ToolRun text = Mkctl("diff --shown " + original_ + " " + file_);
  EXPECT_EQ(text.status, 1) << text.err;
  EXPECT_EQ(text.out, "Границы / Скорость, км/час: 80 → 122\nРазличий: 1\n");
  const ToolRun json = Mkctl("diff --shown --json " + original_ + " " + file_);
  EXPECT_NE(
      json.out.find("{\"name\": \"seVelocityLimit\", \"page\": \"Границы\", \"group\": \"\", "
                    "\"caption\": \"Скорость, км/час\", \"unit\": \"км/час\", \"old\": \"80\", "
                    "\"new\": \"122\"}"),
      std::string::npos)
      << json.out;

  SimProcess sim = Sim();
  const ToolRun write = Mkctl("write --port " + sim.path() + " --in " + file_);
  ASSERT_EQ(write.status, 0) << write.err;
  const auto backups = mk::device::BackupStore(Backups()).List();
  ASSERT_EQ(backups.size(), 1u);
  const ToolRun of_backup = Mkctl("diff --shown " + backups.back().string() + " " + file_);
  EXPECT_EQ(write.out.substr(0, write.out.find("backup ")), "Изменится в МК:\n" + of_backup.out);
}

TEST_F(MkctlDiff, ADryRunPrintsTheListAndSendsNoBeginWrite) {
  SimProcess sim = Sim();
  const ToolRun dry =
      Mkctl("--log " + log_ + " write --dry-run --port " + sim.path() + " --in " + file_);
  EXPECT_EQ(dry.status, 1) << dry.err;
  EXPECT_EQ(dry.out, kChanges);
  EXPECT_EQ(ReadText(log_).find("BeginWrite"), std::string::npos);
  EXPECT_FALSE(fs::exists(Backups())) << "a dry run makes no backup";

  ASSERT_EQ(Mkctl("write --port " + sim.path() + " --in " + file_).status, 0);
  const ToolRun again = Mkctl("write --dry-run --port " + sim.path() + " --in " + file_);
  EXPECT_EQ(again.status, 0) << again.err;
  EXPECT_EQ(again.out, "Различий нет: МК уже хранит эти настройки.\n");
}

TEST_F(MkctlDiff, BackupsAreListedNewestFirstAndShownAgainstAFile) {
  SimProcess sim = Sim();
  ASSERT_EQ(Mkctl("write --port " + sim.path() + " --in " + file_).status, 0);
  ASSERT_EQ(Mkctl("write --port " + sim.path() + " --in " + original_).status, 0);
  const auto all = mk::device::BackupStore(Backups()).List();
  ASSERT_EQ(all.size(), 2u);
  const ToolRun list = Mkctl("backups");
  EXPECT_EQ(list.status, 0) << list.err;
  EXPECT_LT(list.out.find(all[1].string()), list.out.find(all[0].string())) << list.out;
  EXPECT_EQ(list.out.rfind("1  ", 0), 0u) << list.out;
  EXPECT_NE(list.out.find("  версия 1  память 8192 байт  "), std::string::npos) << list.out;

  // The newest backup holds the memory as the first write left it.
  const ToolRun show = Mkctl("backups --show 1 " + original_);
  EXPECT_EQ(show.status, 1) << show.err;
  EXPECT_NE(show.out.find("\nГраницы / Скорость, км/час: 80 → 122\nРазличий: 1\n"),
            std::string::npos)
      << show.out;
  EXPECT_EQ(Mkctl("backups --show 3 " + original_).status, 2);
}

TEST_F(MkctlDiff, TakeFromCopiesOnlyTheNamedPages) {
  mk::device::TMK other = mk_;  // VelocityLimit 61 (Границы)
  other.Rec(mk::device::BlockId::Display).SetInt("IntenseDayTime", 495);  // Источники
  other.StoreAll();
  const std::string b = dir_.File("other.vrnkp"), c = dir_.File("taken.vrnkp");
  mk::device::SaveSettingsFile(b, other);
  const ToolRun r =
      Mkctl("settings " + original_ + " --take-from " + b + " --pages Источники --out " + c);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("Источники / Яркость / Врем вкл. ДНЕВНОЙ яркости: "), std::string::npos)
      << r.out;
  mk::device::TMK taken;
  mk::device::LoadSettingsFile(c, taken);
  EXPECT_EQ(taken.Rec(mk::device::BlockId::Display).GetInt("IntenseDayTime"), 495);
  EXPECT_EQ(taken.Rec(mk::device::BlockId::Limits).GetInt("VelocityLimit"), 40);
  EXPECT_EQ(Mkctl("settings " + original_ + " --take-from " + b + " --pages Нет --out " + c).status,
            1);
}

TEST_F(MkctlDiff, ImagesOfTwoSizesCompareWhatBothHoldAndSayWhichIsLonger) {
  mk::device::TMK big;
  big.ReplaceImage(1, mk::sim::ImageFromMemory(mk::sim::FactoryMemory(32768)));
  const std::string file = dir_.File("big.vrnkp");
  mk::device::SaveSettingsFile(file, big);
  const ToolRun r = Mkctl("diff " + original_ + " " + file);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.out.find("ImageSize: 8128 -> 32704 (второй длиннее"), std::string::npos) << r.out;
}

TEST_F(MkctlDiff, WhatCannotBeComparedIsStatus2) {
  EXPECT_EQ(Mkctl("diff " + original_).status, 2);
  EXPECT_EQ(Mkctl("diff " + original_ + " " + file_ + " --port 7").status, 2);
  const ToolRun missing = Mkctl("diff " + original_ + " " + dir_.File("nosuch.vrnkp"));
  EXPECT_EQ(missing.status, 2);
  EXPECT_NE(missing.err.find("nosuch.vrnkp"), std::string::npos) << missing.err;
}

}  // namespace diff
