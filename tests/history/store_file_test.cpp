// SPDX-License-Identifier: GPL-3.0-or-later
// The history file: refused and left untouched when it cannot be trusted,
// unchanged by an import that a killed process left half done, shared by two
// programs that wait for each other.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "history/history_store.h"
#include "history/snapshot_builder.h"
#include "history/sqlite_db.h"
#include "support/files.h"

namespace mk::history {
namespace {

using test::Read;
using test::Trip;

namespace fs = std::filesystem;

std::vector<std::uint8_t> Text(const std::string& s) {
  return {s.begin(), s.end()};
}

// A valid SQLite file of another program, and one from a newer version of this one.
std::vector<std::uint8_t> SqliteFile(const fs::path& path, const char* sql) {
  {
    Database db(path);
    db.Exec(sql);
  }
  return mk::tests::ReadBytes(path);
}

struct UntrustedCase {
  const char* name;
  std::vector<std::uint8_t> (*make)(const fs::path& path);
  const char* reason;
};

class UntrustedFile : public ::testing::TestWithParam<UntrustedCase> {};

TEST_P(UntrustedFile, IsRefusedByNameAndLeftAsItWas) {
  mk::tests::TempFolder dir("history");
  const fs::path path = dir.path() / "history.sqlite";
  const auto bytes = GetParam().make(path);
  mk::tests::WriteBytes(path, bytes);
  try {
    HistoryStore store(path);
    FAIL() << "opened";
  } catch (const Error& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("«" + path.string() + "»"), std::string::npos) << message;
    EXPECT_NE(message.find(GetParam().reason), std::string::npos) << message;
  }
  EXPECT_EQ(mk::tests::ReadBytes(path), bytes);
  EXPECT_FALSE(fs::exists(path.string() + "-wal"));
}

INSTANTIATE_TEST_SUITE_P(
    Files, UntrustedFile,
    ::testing::Values(
        UntrustedCase{"Text", [](const fs::path&) { return Text("поездки\n1;2;3\n"); },
                      "это не база истории"},
        UntrustedCase{"TruncatedHeader", [](const fs::path&) { return Text("SQLite form"); },
                      "это не база истории"},
        UntrustedCase{
            "ForeignDatabase",
            [](const fs::path& p) { return SqliteFile(p, "CREATE TABLE contacts(name TEXT)"); },
            "другой программы"},
        UntrustedCase{"NewerVersion",
                      [](const fs::path& p) {
                        return SqliteFile(p,
                                          "PRAGMA application_id = 1296787505; "
                                          "PRAGMA user_version = 99; CREATE TABLE x(y)");
                      },
                      "более новой версией"},
        UntrustedCase{"DamagedPages",
                      [](const fs::path& p) {
                        {
                          HistoryStore store(p);
                          for (int day = 1; day <= 28; ++day) {
                            const std::string at = "2026-02-" + std::string(day < 10 ? "0" : "") +
                                                   std::to_string(day) + "T12:00";
                            store.Import(Read(at.c_str(), {Trip(at.c_str(), 5)},
                                              static_cast<std::uint32_t>(day)),
                                         {});
                          }
                        }
                        auto bytes = mk::tests::ReadBytes(p);
                        for (std::size_t i = 4096 + 100; i < bytes.size(); i += 7) bytes[i] ^= 0x5A;
                        return bytes;
                      },
                      "повреждена"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(StoreFile, ReopenedHistoryKeepsItsRecordsAndVersion) {
  mk::tests::TempFolder dir("history");
  const fs::path path = dir.path() / "sub" / "history.sqlite";
  EXPECT_FALSE(HistoryStore::Exists(path));
  { HistoryStore(path).Import(Read("2026-03-03T12:00", {Trip("2026-03-03T08:00", 3)}), {}); }
  EXPECT_TRUE(HistoryStore::Exists(path));
  HistoryStore again(path);
  EXPECT_EQ(again.Entries(EntryKind::Trip, {}).size(), 1u);
  Database db(path);
  EXPECT_EQ(db.QueryInt("PRAGMA user_version"), HistoryStore::kSchemaVersion);
  EXPECT_EQ(db.QueryInt("PRAGMA foreign_keys"), 0);  // per connection; the store turns it on
}

TEST(StoreFile, AHistoryOfTheFirstVersionGetsTheIndexesOfTheSecond) {
  mk::tests::TempFolder dir("history");
  const fs::path path = dir.path() / "history.sqlite";
  { HistoryStore(path).Import(Read("2026-03-03T12:00", {Trip("2026-03-03T08:00", 3)}), {}); }
  {
    Database db(path);
    db.Exec(
        "DROP INDEX entries_provisional; DROP INDEX imports_by_time; DROP INDEX totals_by_time;"
        "PRAGMA user_version = 1");
  }
  HistoryStore again(path);
  EXPECT_EQ(again.Entries(EntryKind::Trip, {}).size(), 1u);
  Database db(path);
  EXPECT_EQ(db.QueryInt("PRAGMA user_version"), 2);
  EXPECT_EQ(db.QueryInt("SELECT count(*) FROM sqlite_schema WHERE type = 'index' AND name IN "
                        "('entries_provisional', 'imports_by_time', 'totals_by_time')"),
            3);
}

TEST(StoreFile, ProcessKilledInsideAnImportLeavesTheHistoryAsBefore) {
  mk::tests::TempFolder dir("history");
  const fs::path path = dir.path() / "history.sqlite";
  { HistoryStore(path).Import(Read("2026-03-02T12:00", {Trip("2026-03-02T08:00", 2)}), {}); }
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    HistoryStore store(path);
    int rows = 0;
    ImportTarget target;
    target.after_row = [&] {
      if (++rows == 2) kill(getpid(), SIGKILL);
    };
    store.Import(Read("2026-03-05T12:00", {Trip("2026-03-05T08:00", 5), Trip("2026-03-04T08:00", 4),
                                           Trip("2026-03-03T08:00", 3)}),
                 target);
    _exit(0);  // never reached
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  HistoryStore store(path);
  const auto trips = store.Entries(EntryKind::Trip, {});
  ASSERT_EQ(trips.size(), 1u);
  EXPECT_TRUE(trips[0].provisional);  // the trip of the last whole import, as it was
}

TEST(StoreFile, TwoProgramsImportingAtOnceWaitForEachOther) {
  mk::tests::TempFolder dir("history");
  const fs::path path = dir.path() / "history.sqlite";
  { HistoryStore create(path); }
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    HistoryStore store(path);
    ImportTarget slow;
    slow.after_row = [] { std::this_thread::sleep_for(std::chrono::milliseconds(100)); };
    store.Import(Read("2026-03-02T12:00", {Trip("2026-03-02T08:00", 2)}), slow);
    _exit(0);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the child holds its transaction
  HistoryStore store(path);
  ImportTarget named;
  named.vehicle = "Второй";
  EXPECT_NO_THROW(store.Import(Read("2026-03-03T12:00", {Trip("2026-03-03T08:00", 3)}), named));
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(store.Entries(EntryKind::Trip, {}).size(), 2u);
}

}  // namespace
}  // namespace mk::history
