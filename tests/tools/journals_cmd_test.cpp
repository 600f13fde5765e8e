// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl journals from the command line: the four pages as the window shows
// them, the two journals saved byte for byte as the window saves them, and
// clear refusals.
#include <gtest/gtest.h>

#include <cstdlib>

#include <string>
#include <vector>

#include "device/mk.h"
#include "device/settings_file.h"
#include "journal/text_grid.h"
#include "journal/trip_journal.h"
#include "sim/factory_image.h"
#include "support/files.h"
#include "support/tool_run.h"

namespace {

using mk::journal::JournalKind;
using mk::tests::Mkctl;
using mk::tests::ReadBytes;
using mk::tests::TempFolder;
using mk::tests::ToolRun;

class MkctlJournalsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mk.ReplaceImage(1, mk::sim::ImageFromMemory(mk::sim::FactoryMemory(8192)));
    file = dir.File("journals.vrnkp");
    mk::device::SaveSettingsFile(file, mk);
  }
  std::vector<std::uint8_t> Export(JournalKind kind, const char* separator) const {
    return mk::journal::ExportBytes(
        mk::journal::JournalGrid(mk.Rec(mk::device::BlockId::Journals).Bytes(), kind, separator));
  }

  TempFolder dir{"journals-cmd"};
  mk::device::TMK mk;
  std::string file;
};

TEST_F(MkctlJournalsTest, PrintsTheFourPagesWithTheFreezeFrames) {
  const ToolRun r = Mkctl("journals " + file + " --decimal-separator ,");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with("== Журнал поездок\n#\tДата и время записи\tВремя в пути\t"));
  for (const char* line : {
           "\nПосл.\t18:42   14.03\t0:42\t31,400\t3,120\t45\t9,9\t4,46\t172,2\n",
           "\n20\tПусто\t\t\t\t\t\t\t\n\n== Журнал заправок\n",
           "\n== Средние\n-- Накопительные / Общие\nВремя\t225:39\nПробег, км\t58434,500\n",
           "\n-- Только газ\nВремя\t0:00\n",
           "\n== Журнал ошибок\n#\tВремя\tКод ошибки\tОписание\n0\t7:48 13.03\t0301\tКод в "
           "формате протокола ",
           "\n6\t\t\t\n-- Стоп-кадр ошибки 0\nКод ошибки\tP0301\nПропуски воспламенения в "
           "цилиндре 1\t\nСост. топливной системы 1\tЗамкнута\n",
           "\n-- Стоп-кадр ошибки 2\nКод ошибки\tP0420\nЭффективность катализатора ниже порога "
           "(банк 1)\t\n",
       }) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line;
  }
  EXPECT_EQ(r.out.find("Стоп-кадр ошибки 3"), std::string::npos) << "slot 3 is empty";
  EXPECT_TRUE(r.err.empty());
}

TEST_F(MkctlJournalsTest, JsonHoldsThePagesAndTheErrorsWithTheirDescriptions) {
  const ToolRun r = Mkctl("journals " + file + " --json --decimal-separator ,");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(r.out.starts_with("{\"trip_journal\": {\"columns\": [\"#\", \"Дата и время записи\""))
      << r.out.substr(0, 200);
  for (const char* part : {
           "\n    [\"Посл.\", \"18:42   14.03\", \"0:42\", \"31,400\"",
           "\"totals\": [{\"group\": \"Накопительные / Общие\", \"lines\": [{\"caption\": "
           "\"Время\", \"value\": \"225:39\"}",
           "\"errors\": [\n   {\"slot\": 0, \"time\": \"7:48 13.03\", \"code\": \"0301\", "
           "\"description\": \"Код в формате протокола ",
           "\"freeze_frame\": [{\"caption\": \"Код ошибки\", \"value\": \"P0301\"}, "
           "{\"caption\": \"Пропуски воспламенения в цилиндре 1\", \"value\": \"\"}",
       }) {
    EXPECT_NE(r.out.find(part), std::string::npos) << part;
  }
  EXPECT_EQ(r.out.find("\"slot\": 3"), std::string::npos) << "slot 3 is empty";
  EXPECT_TRUE(r.out.ends_with("]}\n"));
  EXPECT_EQ(Mkctl("journals " + file + " --json --tsv " + dir.path().string()).status, 2);
}

TEST_F(MkctlJournalsTest, TsvWritesBothJournalsAsTheWindowSavesThem) {
  for (const char* separator : {",", "."}) {
    const ToolRun r = Mkctl("journals " + file + " --tsv " + dir.path().string() +
                            " --decimal-separator " + separator);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, dir.File("trip_journal.txt") + "\n" + dir.File("tank_journal.txt") + "\n");
    EXPECT_EQ(ReadBytes(dir.path() / "trip_journal.txt"), Export(JournalKind::Trip, separator));
    EXPECT_EQ(ReadBytes(dir.path() / "tank_journal.txt"), Export(JournalKind::Tank, separator));
  }
}

TEST_F(MkctlJournalsTest, TheSystemsSeparatorByDefault) {
  // The C locale's separator is a full stop.
  setenv("LC_ALL", "C", 1);
  const ToolRun r = Mkctl("journals " + file + " --tsv " + dir.path().string());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(ReadBytes(dir.path() / "trip_journal.txt"), Export(JournalKind::Trip, "."));
}

TEST_F(MkctlJournalsTest, RefusesWhatItCannotDo) {
  const ToolRun none = Mkctl("journals");
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("укажите один файл настроек"), std::string::npos) << none.err;

  const ToolRun separator = Mkctl("journals " + file + " --decimal-separator ';'");
  EXPECT_EQ(separator.status, 2);
  EXPECT_NE(separator.err.find("--decimal-separator"), std::string::npos) << separator.err;

  const ToolRun missing = Mkctl("journals " + dir.File("none.vrnkp"));
  EXPECT_EQ(missing.status, 1);
  EXPECT_TRUE(missing.out.empty());

  // An empty value is no folder and no separator: refused, not taken as absent.
  for (const char* empty : {" --tsv=", " --decimal-separator="}) {
    const ToolRun r = Mkctl("journals " + file + empty);
    EXPECT_EQ(r.status, 2) << empty;
    EXPECT_TRUE(r.out.empty()) << empty;
    EXPECT_NE(r.err.find("нет значения"), std::string::npos) << r.err;
  }

  const std::string gone = dir.File("gone");
  const ToolRun folder = Mkctl("journals " + file + " --tsv " + gone);
  EXPECT_EQ(folder.status, 1);
  EXPECT_NE(folder.err.find("Не удалось записать файл «" + gone + "/trip_journal.txt»."),
            std::string::npos)
      << folder.err;
}

}  // namespace
