// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/text_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>

#include "device/mk.h"
#include "journal/trip_journal.h"
#include "sim/factory_image.h"
#include "support/files.h"
#include "text/error.h"

namespace mk::journal {
namespace {

std::string AsText(const std::vector<std::uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

TEST(ExportTest, EveryCellEndsInATabAndEveryRowInCrLfInWindows1251) {
  const TextGrid grid = {{"#", "Дата"}, {"Посл.", ""}};
  EXPECT_EQ(AsText(ExportBytes(grid)), "#\t\xC4\xE0\xF2\xE0\t\r\n\xCF\xEE\xF1\xEB.\t\t\r\n");
  EXPECT_TRUE(ExportBytes({}).empty());
}

TEST(ExportTest, TheFactoryTripJournalIs22LinesOf9Fields) {
  device::TMK mk;
  mk.ReplaceImage(1, sim::ImageFromMemory(sim::FactoryMemory(8192)));
  const std::string text = AsText(
      ExportBytes(JournalGrid(mk.Rec(device::BlockId::Journals).Bytes(), JournalKind::Trip, ",")));
  std::size_t lines = 0;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = text.substr(start, end - start);
    EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 9) << line;
    EXPECT_EQ(line.back(), '\t');
    ++lines;
  }
  EXPECT_EQ(start, text.size()) << "the last line ends in CR LF too";
  EXPECT_EQ(lines, 22u);
  EXPECT_NE(text.find("\xCF\xEE\xF1\xEB.\t18:42   14.03\t0:42\t31,400\t3,120\t"),
            std::string::npos);
}

TEST(ExportTest, SavingReplacesTheFile) {
  tests::TempFolder folder("journal-export");
  const auto path = folder.path() / "trips.txt";
  tests::WriteBytes(path, std::vector<std::uint8_t>(5000, 'x'));
  SaveExport(path, {{"a"}});
  EXPECT_EQ(tests::ReadText(path), "a\t\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "trips.txt.part"));
}

TEST(ExportTest, AFailedSaveGivesTheSystemsReason) {
  tests::TempFolder folder("journal-export");
  const auto path = folder.path() / "gone" / "trips.txt";
  try {
    SaveExport(path, {{"new"}});
    ADD_FAILURE() << "saved into a folder that does not exist";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()),
              "Не удалось записать файл «" + path.string() + "». Причина: нет такой папки.");
  }
}

}  // namespace
}  // namespace mk::journal
