// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/history_store.h"

#include <array>
#include <fstream>
#include <limits>
#include <system_error>

#include "device/atomic_file.h"
#include "history/local_time.h"
#include "history/sqlite_db.h"
#include "text/utf8_path.h"

namespace mk::history {
namespace {

namespace fs = std::filesystem;

// "MKh1" in the file's header: what tells our history from any other SQLite file.
constexpr std::int64_t kApplicationId = 0x4D4B6831;

// Migration i brings a history of version i to version i + 1.
constexpr const char* kMigrations[] = {
    R"sql(
CREATE TABLE vehicles(
  id INTEGER PRIMARY KEY,
  name TEXT NOT NULL UNIQUE,
  model INTEGER NOT NULL);
CREATE TABLE imports(
  id INTEGER PRIMARY KEY,
  vehicle_id INTEGER NOT NULL REFERENCES vehicles(id),
  read_time INTEGER NOT NULL,
  source TEXT NOT NULL,
  device_version INTEGER NOT NULL,
  price_expense INTEGER NOT NULL,
  price_time INTEGER NOT NULL,
  price_path INTEGER NOT NULL,
  price_gas INTEGER NOT NULL);
CREATE TABLE entries(
  id INTEGER PRIMARY KEY,
  vehicle_id INTEGER NOT NULL REFERENCES vehicles(id),
  import_id INTEGER NOT NULL REFERENCES imports(id),
  kind INTEGER NOT NULL,
  time INTEGER NOT NULL,
  seconds INTEGER NOT NULL,
  metres INTEGER NOT NULL,
  petrol_ml INTEGER NOT NULL,
  gas_ml INTEGER NOT NULL,
  cost REAL NOT NULL,
  provisional INTEGER NOT NULL DEFAULT 0,
  UNIQUE(vehicle_id, kind, time, seconds, metres, petrol_ml, gas_ml));
CREATE INDEX entries_by_time ON entries(kind, time);
CREATE TABLE errors(
  id INTEGER PRIMARY KEY,
  vehicle_id INTEGER NOT NULL REFERENCES vehicles(id),
  import_id INTEGER NOT NULL REFERENCES imports(id),
  time INTEGER NOT NULL,
  code INTEGER NOT NULL,
  code_text TEXT NOT NULL,
  record BLOB NOT NULL,
  pid_map BLOB NOT NULL,
  UNIQUE(vehicle_id, time, code));
CREATE TABLE totals(
  import_id INTEGER PRIMARY KEY REFERENCES imports(id),
  vehicle_id INTEGER NOT NULL REFERENCES vehicles(id),
  read_time INTEGER NOT NULL,
  seconds INTEGER NOT NULL,
  metres INTEGER NOT NULL,
  petrol_ml INTEGER NOT NULL,
  gas_ml INTEGER NOT NULL,
  bytes BLOB NOT NULL);
CREATE TABLE meta(key TEXT PRIMARY KEY, value INTEGER);
)sql",
    // What every import asks: the trip left provisional, the latest read and
    // the totals on either side of the read, without reading years of rows.
    R"sql(
CREATE INDEX entries_provisional ON entries(vehicle_id) WHERE provisional = 1;
CREATE INDEX imports_by_time ON imports(vehicle_id, read_time);
CREATE INDEX totals_by_time ON totals(vehicle_id, read_time, import_id);
)sql",
};
static_assert(std::size(kMigrations) == HistoryStore::kSchemaVersion);

// A file the store will not take; passed on as it is by the opening.
class Refused : public Error {
 public:
  using Error::Error;
};

[[noreturn]] void Refuse(const fs::path& path, const std::string& why) {
  throw Refused("История поездок «" + text::PathText(path) + "» не открыта: " + why +
                ". Файл оставлен как есть; чтобы начать новую историю, переименуйте или перенесите "
                "его.");
}

// A file that does not begin as an SQLite database is never handed to SQLite,
// so nothing can be written into it.
void CheckHeader(const fs::path& path) {
  std::error_code ec;
  if (!fs::exists(path, ec) || fs::file_size(path, ec) == 0) return;
  std::ifstream in(path, std::ios::binary);
  std::array<char, 16> head{};
  in.read(head.data(), head.size());
  static constexpr char kMagic[] = "SQLite format 3";  // with its terminating zero: 16 bytes
  if (!in || !std::equal(head.begin(), head.end(), kMagic)) {
    Refuse(path, "это не база истории (файл повреждён или чужой)");
  }
}

std::string Where(const Query& q, const char* time_column) {
  std::string sql;
  if (!q.vehicle.empty()) sql += " AND v.name = ?1";
  if (q.from) sql += std::string(" AND ") + time_column + " >= ?2";
  if (q.to) sql += std::string(" AND ") + time_column + " <= ?3";
  return sql;
}

void BindQuery(Statement& s, const Query& q) {
  if (!q.vehicle.empty()) s.Bind(1, q.vehicle);
  if (q.from) s.Bind(2, *q.from);
  if (q.to) s.Bind(3, *q.to);
}

bool Covers(const std::int64_t counters[4], const JournalEntry& e) {
  return e.seconds >= counters[0] && e.metres >= counters[1] && e.petrol_ml >= counters[2] &&
         e.gas_ml >= counters[3];
}

}  // namespace

std::string DefaultVehicleName(int model) {
  return "МК " + std::to_string(model);
}

std::optional<double> StatsRow::LitresPer100Km() const {
  if (metres == 0) return std::nullopt;
  return fuel_ml * 100.0 / metres;
}

std::optional<double> StatsRow::LitresPerHour() const {
  if (road_s == 0) return std::nullopt;
  return fuel_ml * 3.6 / road_s;
}

std::optional<double> StatsRow::AverageSpeed() const {
  if (road_s == 0) return std::nullopt;
  return metres * 3.6 / road_s;
}

bool HistoryStore::Exists(const fs::path& path) {
  std::error_code ec;
  return fs::is_regular_file(path, ec) && fs::file_size(path, ec) > 0;
}

HistoryStore::HistoryStore(const fs::path& path) {
  CheckHeader(path);
  std::error_code ec;
  if (path.has_parent_path()) fs::create_directories(path.parent_path(), ec);
  const bool fresh = !Exists(path);
  db_ = std::make_unique<Database>(path);
  try {
    const std::int64_t app = db_->QueryInt("PRAGMA application_id");
    const std::int64_t version = db_->QueryInt("PRAGMA user_version");
    const std::int64_t tables = db_->QueryInt("SELECT count(*) FROM sqlite_schema");
    if (app != kApplicationId && (tables != 0 || app != 0)) {
      Refuse(path, "это база данных другой программы");
    }
    if (version > kSchemaVersion) {
      Refuse(path, "она записана более новой версией программы");
    }
    if (!fresh) {
      Statement check(*db_, "PRAGMA quick_check(1)");
      if (!check.Step() || check.Text(0) != "ok") Refuse(path, "база истории повреждена");
    }
  } catch (const Refused&) {
    throw;
  } catch (const Error&) {
    Refuse(path, "это не база истории (файл повреждён или чужой)");
  }
  db_->Exec("PRAGMA foreign_keys = ON");
  db_->Exec("PRAGMA journal_mode = WAL");
  db_->Exec("PRAGMA synchronous = NORMAL");
  Migrate();
}

HistoryStore::~HistoryStore() = default;

const fs::path& HistoryStore::Path() const {
  return db_->Path();
}

void HistoryStore::Migrate() {
  Transaction tx(*db_);
  const std::int64_t version = db_->QueryInt("PRAGMA user_version");
  for (std::int64_t v = version; v < kSchemaVersion; ++v) db_->Exec(kMigrations[v]);
  if (version != kSchemaVersion) {
    db_->Exec("PRAGMA application_id = " + std::to_string(kApplicationId));
    db_->Exec("PRAGMA user_version = " + std::to_string(kSchemaVersion));
  }
  tx.Commit();
}

Vehicle HistoryStore::ResolveVehicle(const ReadSnapshot& read, const std::string& name,
                                     bool& created) {
  created = false;
  std::string wanted = name;
  if (wanted.empty()) {
    if (auto last = LastVehicle()) return *last;
    wanted = DefaultVehicleName(read.device_version);
  }
  {
    Statement find(*db_, "SELECT id, name, model FROM vehicles WHERE name = ?1");
    find.Bind(1, wanted);
    if (find.Step()) return {find.Int(0), find.Text(1), static_cast<int>(find.Int(2))};
  }
  Statement add(*db_, "INSERT INTO vehicles(name, model) VALUES(?1, ?2)");
  add.Bind(1, wanted).Bind(2, std::int64_t{read.device_version}).Run();
  created = true;
  return {db_->LastInsertId(), wanted, read.device_version};
}

void HistoryStore::CheckTotals(const Vehicle& v, const ReadSnapshot& read) {
  // Against the snapshot just before this read and the one just after it, so
  // that an older file imported late is judged by its own time.
  const auto below = [&](const char* sql, bool read_is_older) {
    Statement s(*db_, sql);
    s.Bind(1, v.id).Bind(2, read.read_time);
    if (!s.Step()) return false;
    TotalsSnapshot other;
    other.seconds = static_cast<std::uint32_t>(s.Int(0));
    other.metres = static_cast<std::uint32_t>(s.Int(1));
    other.petrol_ml = static_cast<std::uint32_t>(s.Int(2));
    other.gas_ml = static_cast<std::uint32_t>(s.Int(3));
    return read_is_older ? other.Below(read.totals) : read.totals.Below(other);
  };
  const bool before = below(
      "SELECT seconds, metres, petrol_ml, gas_ml FROM totals WHERE vehicle_id = ?1 AND "
      "read_time <= ?2 ORDER BY read_time DESC, import_id DESC LIMIT 1",
      false);
  const bool after = below(
      "SELECT seconds, metres, petrol_ml, gas_ml FROM totals WHERE vehicle_id = ?1 AND "
      "read_time > ?2 ORDER BY read_time ASC, import_id ASC LIMIT 1",
      true);
  if (before || after) {
    throw TotalsBelowError("Накопительные итоги МК меньше, чем у автомобиля «" + v.name +
                           "» в истории: похоже, это другой МК.");
  }
}

ImportResult HistoryStore::Import(const ReadSnapshot& read, const ImportTarget& target) {
  Transaction tx(*db_);
  ImportResult result;
  const Vehicle v = ResolveVehicle(read, target.vehicle, result.new_vehicle);
  result.vehicle = v.name;
  if (!target.accept_lower_totals) CheckTotals(v, read);
  const auto row_written = [&] {
    if (target.after_row) target.after_row();
  };

  Statement add_import(*db_,
                       "INSERT INTO imports(vehicle_id, read_time, source, device_version, "
                       "price_expense, price_time, price_path, price_gas) "
                       "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
  add_import.Bind(1, v.id)
      .Bind(2, read.read_time)
      .Bind(3, read.source)
      .Bind(4, std::int64_t{read.device_version})
      .Bind(5, std::int64_t{read.prices.expense})
      .Bind(6, std::int64_t{read.prices.time})
      .Bind(7, std::int64_t{read.prices.path})
      .Bind(8, std::int64_t{read.prices.gas})
      .Run();
  const std::int64_t import_id = db_->LastInsertId();

  // Only a read at least as late as every one before it says anything about
  // the trip in progress; an older file imported again leaves it alone.
  const bool latest = [&] {
    Statement s(*db_, "SELECT max(read_time) FROM imports WHERE vehicle_id = ?1 AND id <> ?2");
    s.Bind(1, v.id).Bind(2, import_id);
    return !s.Step() || s.IsNull(0) || read.read_time >= s.Int(0);
  }();

  // The trip that may have been in progress at the last read: its grown
  // version replaces it; when none came, it was finished after all.
  int replaced = 0;
  if (latest) {
    Statement prov(*db_,
                   "SELECT id, time, seconds, metres, petrol_ml, gas_ml FROM entries "
                   "WHERE vehicle_id = ?1 AND provisional = 1");
    prov.Bind(1, v.id);
    std::vector<std::pair<std::int64_t, bool>> decisions;
    while (prov.Step()) {
      const std::int64_t counters[4] = {prov.Int(2), prov.Int(3), prov.Int(4), prov.Int(5)};
      bool grown = false;
      for (const auto& t : read.trips)
        grown = grown || (t.time == prov.Int(1) && Covers(counters, t));
      decisions.emplace_back(prov.Int(0), grown);
    }
    Statement drop(*db_, "DELETE FROM entries WHERE id = ?1");
    Statement keep(*db_, "UPDATE entries SET provisional = 0 WHERE id = ?1");
    for (const auto& [id, grown] : decisions) {
      (grown ? drop : keep).Bind(1, id).Run();
      replaced += grown ? 1 : 0;
    }
  }

  Statement add_entry(*db_,
                      "INSERT OR IGNORE INTO entries(vehicle_id, import_id, kind, time, seconds, "
                      "metres, petrol_ml, gas_ml, cost, provisional) "
                      "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
  const auto add = [&](const JournalEntry& e) {
    const bool in_progress = latest && e.kind == EntryKind::Trip && e.slot == 0;
    add_entry.Bind(1, v.id)
        .Bind(2, import_id)
        .Bind(3, std::int64_t{e.kind == EntryKind::Trip ? 0 : 1})
        .Bind(4, e.time)
        .Bind(5, std::int64_t{e.seconds})
        .Bind(6, std::int64_t{e.metres})
        .Bind(7, std::int64_t{e.petrol_ml})
        .Bind(8, std::int64_t{e.gas_ml})
        .Bind(9, EntryCost(e, read.prices))
        .Bind(10, std::int64_t{in_progress ? 1 : 0})
        .Run();
    const int added = db_->Changes();
    row_written();
    return added;
  };
  for (const auto& t : read.trips) result.trips_added += add(t);
  result.trips_added -= replaced;
  for (const auto& r : read.refuels) result.refuels_added += add(r);

  Statement add_error(*db_,
                      "INSERT OR IGNORE INTO errors(vehicle_id, import_id, time, code, code_text, "
                      "record, pid_map) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7)");
  for (const auto& e : read.errors) {
    add_error.Bind(1, v.id)
        .Bind(2, import_id)
        .Bind(3, e.time)
        .Bind(4, std::int64_t{e.code})
        .Bind(5, e.code_text)
        .BindBlob(6, e.record)
        .BindBlob(7, e.pid_map)
        .Run();
    result.errors_added += db_->Changes();
    row_written();
  }

  Statement add_totals(*db_,
                       "INSERT INTO totals(import_id, vehicle_id, read_time, seconds, metres, "
                       "petrol_ml, gas_ml, bytes) VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
  add_totals.Bind(1, import_id)
      .Bind(2, v.id)
      .Bind(3, read.read_time)
      .Bind(4, std::int64_t{read.totals.seconds})
      .Bind(5, std::int64_t{read.totals.metres})
      .Bind(6, std::int64_t{read.totals.petrol_ml})
      .Bind(7, std::int64_t{read.totals.gas_ml})
      .BindBlob(8, read.totals.bytes)
      .Run();
  row_written();

  Statement last(*db_, "INSERT OR REPLACE INTO meta(key, value) VALUES('last_vehicle', ?1)");
  last.Bind(1, v.id).Run();
  tx.Commit();
  return result;
}

std::vector<Vehicle> HistoryStore::Vehicles() {
  std::vector<Vehicle> out;
  Statement s(*db_, "SELECT id, name, model FROM vehicles ORDER BY name");
  while (s.Step()) out.push_back({s.Int(0), s.Text(1), static_cast<int>(s.Int(2))});
  return out;
}

std::optional<Vehicle> HistoryStore::LastVehicle() {
  Statement s(*db_,
              "SELECT v.id, v.name, v.model FROM meta m JOIN vehicles v ON v.id = m.value "
              "WHERE m.key = 'last_vehicle'");
  if (!s.Step()) return std::nullopt;
  return Vehicle{s.Int(0), s.Text(1), static_cast<int>(s.Int(2))};
}

std::vector<StoredEntry> HistoryStore::Entries(EntryKind kind, const Query& q) {
  Statement s(*db_,
              "SELECT e.time, e.seconds, e.metres, e.petrol_ml, e.gas_ml, e.cost, v.name, "
              "e.provisional FROM entries e JOIN vehicles v ON v.id = e.vehicle_id "
              "WHERE e.kind = ?4" +
                  Where(q, "e.time") + " ORDER BY e.time, e.id");
  BindQuery(s, q);
  s.Bind(4, std::int64_t{kind == EntryKind::Trip ? 0 : 1});
  std::vector<StoredEntry> out;
  while (s.Step()) {
    StoredEntry e;
    e.entry = {kind,
               s.Int(0),
               static_cast<std::uint32_t>(s.Int(1)),
               static_cast<std::uint32_t>(s.Int(2)),
               static_cast<std::uint32_t>(s.Int(3)),
               static_cast<std::uint32_t>(s.Int(4)),
               0};
    e.cost = s.Real(5);
    e.vehicle = s.Text(6);
    e.provisional = s.Int(7) != 0;
    out.push_back(std::move(e));
  }
  return out;
}

std::vector<StoredError> HistoryStore::Errors(const Query& q) {
  Statement s(*db_,
              "SELECT e.time, e.code, e.code_text, e.record, e.pid_map, v.name FROM errors e "
              "JOIN vehicles v ON v.id = e.vehicle_id WHERE 1" +
                  Where(q, "e.time") + " ORDER BY e.time, e.id");
  BindQuery(s, q);
  std::vector<StoredError> out;
  while (s.Step()) {
    StoredError e;
    e.error.time = s.Int(0);
    e.error.code = static_cast<std::uint32_t>(s.Int(1));
    e.error.code_text = s.Text(2);
    e.error.record = s.Blob(3);
    e.error.pid_map = s.Blob(4);
    e.vehicle = s.Text(5);
    out.push_back(std::move(e));
  }
  return out;
}

std::vector<StatsRow> HistoryStore::Stats(Period by, const Query& q) {
  // The stored minutes count from 1970 in local civil time, so SQLite's
  // calendar of UTC seconds gives their date exactly.
  const std::string period = by == Period::Month ? "substr(date(e.time * 60, 'unixepoch'), 1, 7)"
                                                 : "substr(date(e.time * 60, 'unixepoch'), 1, 4)";
  Statement s(*db_, "SELECT " + period +
                        " AS p, count(*), sum(e.seconds), sum(e.metres), "
                        "sum(e.petrol_ml + e.gas_ml), sum(e.cost) FROM entries e "
                        "JOIN vehicles v ON v.id = e.vehicle_id WHERE e.kind = 0" +
                        Where(q, "e.time") + " GROUP BY p ORDER BY p");
  BindQuery(s, q);
  std::vector<StatsRow> out;
  StatsRow total{"Итого"};
  while (s.Step()) {
    StatsRow r{s.Text(0), s.Int(1), s.Int(2), s.Int(3), s.Int(4), s.Real(5)};
    total.trips += r.trips;
    total.road_s += r.road_s;
    total.metres += r.metres;
    total.fuel_ml += r.fuel_ml;
    total.cost += r.cost;
    out.push_back(std::move(r));
  }
  out.push_back(total);
  return out;
}

std::vector<int> HistoryStore::TripYears(const Query& q) {
  Statement s(*db_,
              "SELECT min(e.time) FROM entries e JOIN vehicles v ON v.id = e.vehicle_id "
              "WHERE e.kind = 0 AND e.time >= ?4" +
                  Where(q, "e.time"));
  std::vector<int> years;
  LocalMinutes from = std::numeric_limits<LocalMinutes>::min();
  for (;;) {
    s.Reset();
    BindQuery(s, q);
    s.Bind(4, from);
    if (!s.Step() || s.IsNull(0)) return years;
    years.push_back(FromMinutes(s.Int(0)).year);
    from = ToMinutes({years.back() + 1, 1, 1, 0});
  }
}

std::optional<TotalsSnapshot> HistoryStore::LatestTotals(const std::string& vehicle) {
  Statement s(*db_,
              "SELECT t.seconds, t.metres, t.petrol_ml, t.gas_ml, t.bytes FROM totals t "
              "JOIN vehicles v ON v.id = t.vehicle_id WHERE v.name = ?1 "
              "ORDER BY t.read_time DESC, t.import_id DESC LIMIT 1");
  s.Bind(1, vehicle);
  if (!s.Step()) return std::nullopt;
  return TotalsSnapshot{static_cast<std::uint32_t>(s.Int(0)), static_cast<std::uint32_t>(s.Int(1)),
                        static_cast<std::uint32_t>(s.Int(2)), static_cast<std::uint32_t>(s.Int(3)),
                        s.Blob(4)};
}

}  // namespace mk::history
