// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl journals: the journals of a settings file as the journals window
// shows them, or the trip and refuelling journals saved as the window saves
// them, from the same core functions.
#include <cstdio>
#include <filesystem>
#include <locale>
#include <string>

#include "device/atomic_file.h"
#include "device/mk.h"
#include "device/settings_file.h"
#include "journal/error_journal.h"
#include "journal/text_grid.h"
#include "journal/totals.h"
#include "journal/trip_journal.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/json.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {
namespace {

using device::BlockId;
using journal::JournalKind;

// The value of an option; `--name=` with nothing after it is refused rather
// than taken for an option not given.
std::string GivenOption(const Args& args, const std::string& name, const char* what) {
  std::string value = Option(args, name);
  if (value.empty() && HasFlag(args, name)) {
    throw UsageError("у параметра --" + name + " нет значения (" + what + ")");
  }
  return value;
}

// The window takes the separator from the system; so does the tool, unless told.
std::string DecimalSeparator(const Args& args) {
  std::string given = GivenOption(args, "decimal-separator", "ЗНАК");
  if (!given.empty()) {
    if (given != "," && given != ".") {
      throw UsageError("неверное значение --decimal-separator: «" + given +
                       "» (допустимо , или .)");
    }
    return given;
  }
  try {
    return std::string(1, std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point());
  } catch (const std::exception&) {
    return ".";  // the system names a locale the C++ library does not know
  }
}

void PrintRow(const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) line += (i ? "\t" : "") + cells[i];
  std::printf("%s\n", line.c_str());
}

void PrintLines(const std::vector<journal::CaptionedValue>& lines) {
  for (const auto& [caption, value] : lines) PrintRow({caption, value});
}

void PrintPages(const device::TMK& mk, const std::string& separator) {
  const auto& journals = mk.Rec(BlockId::Journals).Bytes();
  std::printf("== Журнал поездок\n");
  for (const auto& row : journal::JournalGrid(journals, JournalKind::Trip, separator))
    PrintRow(row);
  std::printf("\n== Журнал заправок\n");
  for (const auto& row : journal::JournalGrid(journals, JournalKind::Tank, separator))
    PrintRow(row);
  std::printf("\n== Средние\n");
  for (const auto& group : journal::kTotalsGroups) {
    std::printf("-- %s\n", group.caption);
    PrintLines(journal::TotalsLines(mk.Rec(BlockId::Totals).Bytes(), group, separator));
  }
  const auto& errors = mk.Rec(BlockId::ErrorJournal).Bytes();
  std::printf("\n== Журнал ошибок\n");
  for (const auto& row : journal::ErrorGrid(errors, journal::CurrentErrorCodeStyle(mk))) {
    PrintRow(row);
  }
  for (std::size_t slot = 0; slot < device::kErrorRecords; ++slot) {
    const auto lines = journal::FreezeFrameLines(errors, slot, separator);
    if (lines.empty()) continue;
    std::printf("-- Стоп-кадр ошибки %zu\n", slot);
    PrintLines(lines);
  }
}

std::string JsonList(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + items[i];
  return out + "]";
}

std::string JsonStrings(const std::vector<std::string>& cells) {
  std::vector<std::string> quoted;
  quoted.reserve(cells.size());
  for (const auto& c : cells) quoted.push_back(Quote(c));
  return JsonList(quoted);
}

std::string JsonLines(const std::vector<journal::CaptionedValue>& lines) {
  std::vector<std::string> items;
  items.reserve(lines.size());
  for (const auto& [caption, value] : lines)
    items.push_back("{\"caption\": " + Quote(caption) + ", \"value\": " + Quote(value) + "}");
  return JsonList(items);
}

// A journal grid: its header row as the columns, the other rows as they show.
std::string JsonGrid(const journal::TextGrid& grid) {
  std::string rows;
  for (std::size_t r = 1; r < grid.size(); ++r)
    rows += (r > 1 ? ",\n    " : "\n    ") + JsonStrings(grid[r]);
  return "{\"columns\": " + JsonStrings(grid.empty() ? std::vector<std::string>{} : grid[0]) +
         ",\n   \"rows\": [" + rows + "]}";
}

// The pages as JSON; the error journal lists the slots that hold an error.
void PrintJson(const device::TMK& mk, const std::string& separator) {
  const auto& journals = mk.Rec(BlockId::Journals).Bytes();
  std::vector<std::string> totals;
  totals.reserve(journal::kTotalsGroups.size());
  for (const auto& group : journal::kTotalsGroups) {
    totals.push_back(
        "{\"group\": " + Quote(group.caption) + ", \"lines\": " +
        JsonLines(journal::TotalsLines(mk.Rec(BlockId::Totals).Bytes(), group, separator)) + "}");
  }
  const auto& errors = mk.Rec(BlockId::ErrorJournal).Bytes();
  const journal::TextGrid grid = journal::ErrorGrid(errors, journal::CurrentErrorCodeStyle(mk));
  std::vector<std::string> slots;
  for (std::size_t slot = 0; slot < device::kErrorRecords && slot + 1 < grid.size(); ++slot) {
    const auto& row = grid[slot + 1];
    if (row[1].empty()) continue;  // no error in the slot
    slots.push_back("{\"slot\": " + std::to_string(slot) + ", \"time\": " + Quote(row[1]) +
                    ", \"code\": " + Quote(row[2]) + ", \"description\": " + Quote(row[3]) +
                    ",\n    \"freeze_frame\": " +
                    JsonLines(journal::FreezeFrameLines(errors, slot, separator)) + "}");
  }
  std::string out = "{\"trip_journal\": " +
                    JsonGrid(journal::JournalGrid(journals, JournalKind::Trip, separator)) +
                    ",\n \"tank_journal\": " +
                    JsonGrid(journal::JournalGrid(journals, JournalKind::Tank, separator)) +
                    ",\n \"totals\": " + JsonList(totals) + ",\n \"errors\": [";
  for (std::size_t i = 0; i < slots.size(); ++i) out += (i ? ",\n   " : "\n   ") + slots[i];
  std::printf("%s]}\n", out.c_str());
}

void SaveJournals(const device::TMK& mk, const std::string& folder, const std::string& separator) {
  const auto& journals = mk.Rec(BlockId::Journals).Bytes();
  const struct {
    JournalKind kind;
    const char* name;
  } files[] = {{JournalKind::Trip, "trip_journal.txt"}, {JournalKind::Tank, "tank_journal.txt"}};
  for (const auto& f : files) {
    const std::filesystem::path path = text::PathFromUtf8(folder) / f.name;
    journal::SaveExport(path, journal::JournalGrid(journals, f.kind, separator));
    std::printf("%s\n", text::PathText(path).c_str());
  }
}

}  // namespace

int CmdJournals(const Args& args) {
  const auto files = Operands(args);
  if (files.size() != 1) throw UsageError("укажите один файл настроек");
  const std::string separator = DecimalSeparator(args);
  const std::string folder = GivenOption(args, "tsv", "ПАПКА");
  const bool json = HasFlag(args, "json");
  if (json && !folder.empty()) throw UsageError("--json и --tsv вместе не указываются");
  device::TMK mk;
  device::LoadSettingsFile(text::PathFromUtf8(files[0]), mk);
  // The window's transaction, closed with Cancel: nothing goes back to the image.
  mk.ViewJournals([&] {
    if (json) {
      PrintJson(mk, separator);
    } else if (folder.empty()) {
      PrintPages(mk, separator);
    } else {
      SaveJournals(mk, folder, separator);
    }
    return false;
  });
  return 0;
}

}  // namespace mk::tools
