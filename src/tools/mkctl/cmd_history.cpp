// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl history: the history of trips, refuellings and errors across reads.
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "device/atomic_file.h"
#include "history/charts.h"
#include "history/file_import.h"
#include "history/history_store.h"
#include "history/tables.h"
#include "journal/text_grid.h"
#include "platform/prefs_path.h"
#include "scope/osc_svg.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/history_output.h"
#include "tools/mkctl/json.h"

namespace mk::tools {
namespace {

using history::EntryKind;
using history::HistoryStore;

// A number for JSON: a full stop whatever the locale, `decimals` after it.
std::string Number(double value, int decimals) {
  char text[64];
  const auto r = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
  return std::string(text, r.ptr);
}

std::optional<history::LocalMinutes> DateOption(const Args& args, const std::string& name,
                                                bool end_of_day) {
  const std::string text = Option(args, name);
  if (text.empty()) return std::nullopt;
  const auto at = history::ParseIsoTime(text);
  if (!at) {
    throw UsageError("неверная дата --" + name + ": «" + text +
                     "» (нужно ГГГГ-ММ-ДД или ГГГГ-ММ-ДДTЧЧ:ММ)");
  }
  // A day alone as the end of a period takes that whole day in.
  return end_of_day && text.size() == 10 ? *at + 1439 : *at;
}

history::Query QueryOf(const Args& args) {
  return {Option(args, "vehicle"), DateOption(args, "from", false), DateOption(args, "to", true)};
}

int Import(HistoryStore& store, const Args& args, const std::vector<std::string>& files) {
  if (files.empty()) throw UsageError("укажите файлы настроек для истории");
  const auto at = DateOption(args, "at", false);
  history::ImportTarget target;
  target.vehicle = Option(args, "vehicle");
  target.accept_lower_totals = !target.vehicle.empty();
  for (const auto& file : files) {
    const auto read = history::SnapshotOfFile(text::PathFromUtf8(file), at);
    try {
      const auto r = store.Import(read, target);
      std::printf("«%s»: автомобиль «%s», добавлено поездок %d, заправок %d, ошибок %d\n",
                  file.c_str(), r.vehicle.c_str(), r.trips_added, r.refuels_added, r.errors_added);
    } catch (const history::TotalsBelowError& e) {
      throw Error("«" + file + "»: " + e.what() +
                  " Если это тот же автомобиль, укажите его явно: --vehicle ИМЯ.");
    }
  }
  return 0;
}

std::string EntryJson(const history::StoredEntry& s) {
  const auto& e = s.entry;
  return std::string("{\"kind\": ") + (e.kind == EntryKind::Trip ? "\"trip\"" : "\"refuel\"") +
         ", \"vehicle\": " + Quote(s.vehicle) + ", \"time\": " + Quote(history::IsoText(e.time)) +
         ", \"road_s\": " + std::to_string(e.seconds) +
         ", \"distance_m\": " + std::to_string(e.metres) +
         ", \"petrol_ml\": " + std::to_string(e.petrol_ml) +
         ", \"gas_ml\": " + std::to_string(e.gas_ml) + ", \"cost\": " + Number(s.cost, 2) + "}";
}

std::string ErrorJson(const history::StoredError& s) {
  return "{\"kind\": \"error\", \"vehicle\": " + Quote(s.vehicle) +
         ", \"time\": " + Quote(history::IsoText(s.error.time)) +
         ", \"code\": " + std::to_string(s.error.code) + ", \"text\": " + Quote(s.error.code_text) +
         "}";
}

void PrintJsonList(const std::vector<std::string>& items) {
  std::printf("[");
  for (std::size_t i = 0; i < items.size(); ++i)
    std::printf("%s\n  %s", i ? "," : "", items[i].c_str());
  std::printf("%s]\n", items.empty() ? "" : "\n");
}

void PrintGrid(const journal::TextGrid& grid) {
  for (const auto& row : grid) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) line += (i ? "\t" : "") + row[i];
    std::printf("%s\n", line.c_str());
  }
}

int List(HistoryStore& store, const Args& args) {
  const std::string kind = Option(args, "kind", "trips");
  if (kind != "trips" && kind != "refuels" && kind != "errors") {
    throw UsageError("неверный --kind: «" + kind + "» (trips, refuels или errors)");
  }
  const auto query = QueryOf(args);
  const bool json = HasFlag(args, "json");
  if (kind == "errors") {
    const auto errors = store.Errors(query);
    if (!json) {
      PrintGrid(history::ErrorTable(errors));
      return 0;
    }
    std::vector<std::string> items;
    items.reserve(errors.size());
    for (const auto& e : errors) items.push_back(ErrorJson(e));
    PrintJsonList(items);
    return 0;
  }
  const auto entries = store.Entries(kind == "trips" ? EntryKind::Trip : EntryKind::Refuel, query);
  if (!json) {
    PrintGrid(history::EntryTable(entries, ","));
    return 0;
  }
  std::vector<std::string> items;
  items.reserve(entries.size());
  for (const auto& e : entries) items.push_back(EntryJson(e));
  PrintJsonList(items);
  return 0;
}

int Stats(HistoryStore& store, const Args& args) {
  const std::string by = Option(args, "by", "month");
  if (by != "month" && by != "year") {
    throw UsageError("неверный --by: «" + by + "» (month или year)");
  }
  const auto rows =
      store.Stats(by == "month" ? history::Period::Month : history::Period::Year, QueryOf(args));
  if (!HasFlag(args, "json")) {
    PrintGrid(history::StatsTable(rows, ","));
    return 0;
  }
  std::vector<std::string> items;
  for (std::size_t i = 0; i + 1 < rows.size(); ++i) {  // the total row is the sum of these
    const auto& r = rows[i];
    const auto per100 = r.LitresPer100Km();
    items.push_back("{\"period\": " + Quote(r.period) + ", \"trips\": " + std::to_string(r.trips) +
                    ", \"road_s\": " + std::to_string(r.road_s) + ", \"distance_km\": " +
                    Number(r.DistanceKm(), 3) + ", \"fuel_l\": " + Number(r.FuelL(), 3) +
                    ", \"l_per_100km\": " + (per100 ? Number(*per100, 2) : "null") +
                    ", \"cost\": " + Number(r.cost, 2) + "}");
  }
  PrintJsonList(items);
  return 0;
}

int Vehicles(HistoryStore& store) {
  const auto last = store.LastVehicle();
  for (const auto& v : store.Vehicles()) {
    const auto trips = store.Entries(EntryKind::Trip, {v.name, {}, {}}).size();
    std::printf("%s\tмодель %d\tпоездок %zu%s\n", v.name.c_str(), v.model, trips,
                last && last->id == v.id ? "\tпоследний" : "");
  }
  return 0;
}

int Export(HistoryStore& store, const Args& args) {
  const std::string file = Option(args, "csv");
  if (file.empty()) throw UsageError("укажите файл: --csv ФАЙЛ");
  const auto grid = history::EntryTable(store.Entries(EntryKind::Trip, QueryOf(args)), ",");
  device::WriteFileAtomically(text::PathFromUtf8(file), history::CsvText(grid),
                              "Не удалось записать файл «" + file + "».");
  std::printf("%s\n", file.c_str());
  return 0;
}

int Chart(HistoryStore& store, const Args& args, const std::vector<std::string>& words) {
  const std::string kind = words.empty() ? "" : words.front();
  if (words.size() != 1 || (kind != "consumption" && kind != "monthly" && kind != "refuels")) {
    throw UsageError("укажите график: consumption, monthly или refuels");
  }
  const std::string out = Option(args, "out");
  if (out.size() < 5 || out.substr(out.size() - 4) != ".svg") {
    throw UsageError("укажите файл рисунка: --out ФАЙЛ.svg");
  }
  const auto query = QueryOf(args);
  const auto chart_kind = kind == "consumption" ? history::ChartKind::Consumption
                          : kind == "monthly"   ? history::ChartKind::Monthly
                                                : history::ChartKind::Refuels;
  const auto chart = history::DrawChart(chart_kind, store.Entries(EntryKind::Trip, query),
                                        store.Entries(EntryKind::Refuel, query),
                                        store.Stats(history::Period::Month, query));
  device::WriteFileAtomically(text::PathFromUtf8(out), scope::PictureToSvg(chart),
                              "Не удалось записать файл «" + out + "».");
  std::printf("%s\n", out.c_str());
  return 0;
}

}  // namespace

history::LocalMinutes ReadTimeOption(const Args& args) {
  return DateOption(args, "at", false).value_or(history::LocalNow());
}

void ImportReadIntoHistory(const device::TMK& mk, const Args& args,
                           history::LocalMinutes read_time) {
  if (HasFlag(args, "no-history")) return;
  try {
    HistoryStore store(platform::HistoryPath());
    history::ImportTarget target;
    target.vehicle = Option(args, "vehicle");
    target.accept_lower_totals = !target.vehicle.empty();
    const auto r = store.Import(history::TakeSnapshot(mk, read_time), target);
    std::printf("История: автомобиль «%s», добавлено поездок %d, заправок %d, ошибок %d\n",
                r.vehicle.c_str(), r.trips_added, r.refuels_added, r.errors_added);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "История поездок не обновлена: %s\n", e.what());
  }
}

int CmdHistory(const Args& args) {
  auto words = Operands(args);
  if (words.empty()) {
    throw UsageError("укажите действие: import, list, stats, chart, vehicles или export");
  }
  const std::string action = words.front();
  words.erase(words.begin());
  if (action != "import" && action != "chart" && !words.empty()) {
    throw UsageError("лишние слова после «" + action + "»: «" + words.front() + "»");
  }
  HistoryStore store(platform::HistoryPath());
  if (action == "import") return Import(store, args, words);
  if (action == "list") return List(store, args);
  if (action == "stats") return Stats(store, args);
  if (action == "vehicles") return Vehicles(store);
  if (action == "export") return Export(store, args);
  if (action == "chart") return Chart(store, args, words);
  throw UsageError("неизвестное действие «" + action + "»");
}

}  // namespace mk::tools
