// SPDX-License-Identifier: GPL-3.0-or-later
// The history of trips, refuellings, errors and totals across reads, per
// vehicle, in one SQLite file. Every import is one transaction; a file that is
// not this program's history (damaged, foreign, from a newer version) is
// refused and never written.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "history/local_time.h"
#include "history/records.h"
#include "text/error.h"

namespace mk::history {

class Database;

struct Vehicle {
  std::int64_t id = 0;
  std::string name;
  int model = 0;  // the MK's device version at the first import
};

/// The totals of the read lie below the vehicle's: probably another MK.
class TotalsBelowError : public Error {
 public:
  using Error::Error;
};

struct ImportTarget {
  /// The vehicle's name; empty: the last one used, or "МК <model>" for the first import.
  std::string vehicle;
  /// Take the read even when its totals lie below the vehicle's.
  bool accept_lower_totals = false;
  /// Called after each row written (a test stops the process there).
  std::function<void()> after_row;
};

struct ImportResult {
  std::string vehicle;
  bool new_vehicle = false;
  int trips_added = 0;
  int refuels_added = 0;
  int errors_added = 0;
};

/// A trip or refuelling as kept: the entry, its cost at the read that brought
/// it, whose vehicle it is and whether it may still grow (the trip in progress).
struct StoredEntry {
  JournalEntry entry;
  double cost = 0;
  std::string vehicle;
  bool provisional = false;
};

struct StoredError {
  ErrorEntry error;
  std::string vehicle;
};

/// Which records a query takes: a vehicle by name (empty: every vehicle), and
/// the moments from `from` up to and including `to`.
struct Query {
  std::string vehicle;
  std::optional<LocalMinutes> from;
  std::optional<LocalMinutes> to;
};

enum class Period { Month, Year };

/// The trips of one month ("2026-03") or year ("2026"), or of all ("Итого").
struct StatsRow {
  std::string period;
  std::int64_t trips = 0;
  std::int64_t road_s = 0;
  std::int64_t metres = 0;
  std::int64_t fuel_ml = 0;
  double cost = 0;

  double DistanceKm() const { return metres / 1000.0; }
  double FuelL() const { return fuel_ml / 1000.0; }
  /// Nothing when there was no distance or no time.
  std::optional<double> LitresPer100Km() const;
  std::optional<double> LitresPerHour() const;
  std::optional<double> AverageSpeed() const;
};

class HistoryStore {
 public:
  static constexpr int kSchemaVersion = 2;

  /// Opens the history, creating the file (and its folder) when there is
  /// none; mk::Error naming the file when it cannot be trusted or opened.
  explicit HistoryStore(const std::filesystem::path& path);
  ~HistoryStore();
  HistoryStore(const HistoryStore&) = delete;
  HistoryStore& operator=(const HistoryStore&) = delete;

  /// Whether a history file is there (the window's button is enabled then).
  static bool Exists(const std::filesystem::path& path);

  /// Merges the read into the vehicle's history: records not yet kept are
  /// added, the provisional trip is replaced by its grown version, nothing is
  /// removed. TotalsBelowError (and nothing written) when the read's totals
  /// lie below the vehicle's and `accept_lower_totals` is not set.
  ImportResult Import(const ReadSnapshot& read, const ImportTarget& target);

  std::vector<Vehicle> Vehicles();
  /// The vehicle the last import went to.
  std::optional<Vehicle> LastVehicle();

  std::vector<StoredEntry> Entries(EntryKind kind, const Query& query);
  std::vector<StoredError> Errors(const Query& query);
  /// Per period, oldest first, then the total row "Итого" of all of them.
  std::vector<StatsRow> Stats(Period by, const Query& query);
  /// The years that have trips, oldest first: one step of the time index a
  /// year, where the yearly statistics would add up every trip.
  std::vector<int> TripYears(const Query& query);
  /// The latest totals snapshot of a vehicle, when it has one.
  std::optional<TotalsSnapshot> LatestTotals(const std::string& vehicle);

  const std::filesystem::path& Path() const;

 private:
  void Migrate();
  Vehicle ResolveVehicle(const ReadSnapshot& read, const std::string& name, bool& created);
  void CheckTotals(const Vehicle& v, const ReadSnapshot& read);

  std::unique_ptr<Database> db_;
};

/// The name the first import of an MK gets: "МК <model>".
std::string DefaultVehicleName(int model);

}  // namespace mk::history
