// SPDX-License-Identifier: GPL-3.0-or-later
// Backups of the MK's memory: names that sort by time, the newest kept, and a
// folder that cannot take one.
#include "device/backup_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "device/settings_file.h"
#include "support/files.h"
#include "text/error.h"

namespace mk::device {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::system_clock;

std::tm Local(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

TEST(BackupNames, CarryDateTimeMillisecondsAndDeviceVersionAndSortByTime) {
  EXPECT_EQ(BackupStore::FileName(Local(2026, 12, 8, 9, 5, 7), 42, 1),
            "backup-2026-12-08-090507-042-v1.vrnkp");
  EXPECT_LT(BackupStore::FileName(Local(2026, 12, 8, 9, 59, 59), 999, 65535),
            BackupStore::FileName(Local(2026, 12, 8, 10, 0, 0), 0, 1));
  EXPECT_TRUE(BackupStore::IsBackupName("backup-2026-12-08-090507-042-v1.vrnkp"));
  for (const char* other :
       {"backup-2026-12-08-090507-042-v.vrnkp", "mine.vrnkp",
        "backup-2026-12-08-090507-042-v1.vrnkp.part", "backup-2026-1x-08-090507-042-v1.vrnkp"})
    EXPECT_FALSE(BackupStore::IsBackupName(other)) << other;
}

TEST(BackupStoreTest, SavesAnOrdinarySettingsFileAndKeepsOnlyTheNewest) {
  const tests::TempFolder dir("backup");
  const fs::path folder = dir.path() / "made" / "backups";
  auto when = Clock::from_time_t(1'800'000'000);
  BackupStore store(folder, 3, [&when] { return when; });
  // Not ours: never pruned.
  fs::create_directories(folder);
  tests::WriteBytes(folder / "mine.vrnkp", {1, 2, 3});

  std::vector<fs::path> made;
  for (int i = 0; i < 5; ++i) {
    made.push_back(
        store.Save(static_cast<std::uint16_t>(7 + i), std::vector<std::uint8_t>(100, 9)));
    when += std::chrono::seconds(1);
  }
  EXPECT_EQ(store.List(), (std::vector<fs::path>{made[2], made[3], made[4]}));
  EXPECT_TRUE(fs::exists(folder / "mine.vrnkp"));
  const auto file = DecodeSettingsFile(tests::ReadBytes(made[4]));
  EXPECT_EQ(file.device_version, 11);
  EXPECT_EQ(file.image, std::vector<std::uint8_t>(100, 9));
  EXPECT_NE(made[4].filename().string().find("-v11.vrnkp"), std::string::npos);
}

TEST(BackupStoreTest, TwoBackupsInOneMillisecondBothStay) {
  const tests::TempFolder dir("backup");
  const auto when = Clock::from_time_t(1'800'000'000);
  BackupStore store(dir.path(), 50, [when] { return when; });
  const fs::path first = store.Save(1, {});
  const fs::path second = store.Save(1, {});
  EXPECT_NE(first, second);
  EXPECT_EQ(store.List(), (std::vector<fs::path>{first, second}));
}

TEST(BackupStoreTest, AReadOnlyFolderIsRefusedWithTheReason) {
  const tests::TempFolder dir("backup");
  const tests::ReadOnlyFolder read_only(dir.path());
  if (!read_only.Works()) GTEST_SKIP() << "this file system lets us write anywhere";
  BackupStore store(dir.path());
  try {
    store.Save(1, std::vector<std::uint8_t>{1});
    ADD_FAILURE() << "saved";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("Не удалось сохранить резервную копию памяти МК «" +
                                         dir.path().string() + "/backup-"),
              std::string::npos)
        << e.what();
    EXPECT_NE(std::string(e.what()).find("Причина: нет прав на запись."), std::string::npos)
        << e.what();
  }
  EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(BackupStoreTest, ThePreferencesChooseFolderAndCount) {
  text::IniFile ini;
  BackupStore plain = BackupStore::FromPreferences(ini, "/prefs", "/data/backups");
  EXPECT_EQ(plain.Folder(), "/data/backups");
  EXPECT_EQ(plain.Keep(), 50u);
  ini.Parse("[Backup]\r\nFolder=copies\r\nKeep=7\r\n");
  BackupStore chosen = BackupStore::FromPreferences(ini, "/prefs", "/data/backups");
  EXPECT_EQ(chosen.Folder(), "/prefs/copies");
  EXPECT_EQ(chosen.Keep(), 7u);
  for (const char* bad : {"0", "-3", "x", "1000000"}) {
    ini.Parse(std::string("[Backup]\r\nKeep=") + bad + "\r\n");
    EXPECT_EQ(BackupStore::FromPreferences(ini, "/p", "/d").Keep(), 50u) << bad;
  }
}

}  // namespace
}  // namespace mk::device
