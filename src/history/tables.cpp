// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/tables.h"

#include "catalog/trouble_codes.h"
#include "journal/error_journal.h"
#include "journal/number_format.h"
#include "journal/trip_journal.h"

namespace mk::history {
namespace {

using journal::Fixed;
using journal::TextGrid;

std::string Optional(const std::optional<double>& value, int decimals, std::string_view separator) {
  return value ? Fixed(*value, decimals, separator) : "---";
}

}  // namespace

std::string RoadTime(std::int64_t seconds) {
  return journal::Plain(seconds / 3600) + ":" +
         journal::TwoDigit(static_cast<std::uint64_t>(seconds / 60 % 60));
}

std::vector<std::string> EntryHeader() {
  return {"Автомобиль",           "Дата и время записи", "Время в пути",
          "Пробег, км",           "Расход топлива, л",   "Ср. скорость, км/час",
          "Ср. расход на 100 км", "Ср. расход в час",    "Стоимость"};
}

std::vector<std::string> EntryRow(const StoredEntry& s, std::string_view separator) {
  const auto& e = s.entry;
  journal::TripRecord r;
  r.day = 1;  // any day: only the counters' columns are taken
  r.seconds = e.seconds;
  r.metres = e.metres;
  r.petrol_ml = e.petrol_ml;
  r.gas_ml = e.gas_ml;
  auto columns = journal::TripColumns(r, {}, separator);
  columns[0] = ShownText(e.time);
  columns[7] = Fixed(s.cost, 1, separator);
  std::vector<std::string> row{s.vehicle};
  row.insert(row.end(), columns.begin(), columns.end());
  return row;
}

TextGrid EntryTable(const std::vector<StoredEntry>& entries, std::string_view separator) {
  TextGrid grid;
  grid.reserve(entries.size() + 1);
  grid.push_back(EntryHeader());
  for (const auto& s : entries) grid.push_back(EntryRow(s, separator));
  return grid;
}

TextGrid ErrorTable(const std::vector<StoredError>& errors) {
  TextGrid grid{{"Автомобиль", "Время", "Код ошибки", "Описание"}};
  for (const auto& e : errors) {
    const auto code = catalog::ParseTroubleCode(e.error.code_text);
    // The protocol a code of its own format came from is not kept with it.
    const std::string text = code                        ? catalog::DescribeTroubleCode(*code)
                             : e.error.code_text.empty() ? std::string()
                                                         : "Код в формате протокола: описания нет";
    grid.push_back({e.vehicle, ShownText(e.error.time), e.error.code_text, text});
  }
  return grid;
}

TextGrid StatsTable(const std::vector<StatsRow>& rows, std::string_view separator) {
  TextGrid grid{{"Период", "Поездок", "Время в пути", "Пробег, км", "Топливо, л",
                 "Ср. скорость, км/час", "Ср. расход на 100 км", "Ср. расход в час", "Стоимость"}};
  for (const auto& r : rows) {
    grid.push_back({r.period, journal::Plain(r.trips), RoadTime(r.road_s),
                    Fixed(r.DistanceKm(), 3, separator), Fixed(r.FuelL(), 3, separator),
                    Optional(r.AverageSpeed(), 1, separator),
                    Optional(r.LitresPer100Km(), 1, separator),
                    Optional(r.LitresPerHour(), 2, separator), Fixed(r.cost, 1, separator)});
  }
  return grid;
}

std::vector<journal::CaptionedValue> ErrorFrameLines(const ErrorEntry& error,
                                                     std::string_view separator) {
  // The error journal's block with this error alone in slot 0.
  std::vector<std::uint8_t> block(16, 0);
  for (std::size_t i = 0; i < error.pid_map.size() && i < 12; ++i) block[4 + i] = error.pid_map[i];
  block.insert(block.end(), error.record.begin(), error.record.end());
  return journal::FreezeFrameLines(block, 0, separator);
}

std::string CsvText(const TextGrid& grid) {
  std::string out = "\xEF\xBB\xBF";
  for (const auto& row : grid) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i) out += ';';
      const std::string& cell = row[i];
      if (cell.find_first_of(";\"\r\n") == std::string::npos) {
        out += cell;
        continue;
      }
      out += '"';
      for (char c : cell) {
        if (c == '"') out += '"';
        out += c;
      }
      out += '"';
    }
    out += "\r\n";
  }
  return out;
}

}  // namespace mk::history
