// SPDX-License-Identifier: GPL-3.0-or-later
// What one read of the MK (or one settings file) brings to the history: the
// journal entries with their years, the prices and the running totals.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "history/local_time.h"
#include "journal/trip_journal.h"

namespace mk::device {
class TMK;
}

namespace mk::history {

enum class EntryKind { Trip, Refuel };

/// A trip or a refuelling: its moment with the year found, and the MK's counters.
struct JournalEntry {
  EntryKind kind = EntryKind::Trip;
  LocalMinutes time = 0;
  std::uint32_t seconds = 0;
  std::uint32_t metres = 0;
  std::uint32_t petrol_ml = 0;
  std::uint32_t gas_ml = 0;
  int slot = 0;  // in the MK's journal: 0 the latest

  bool operator==(const JournalEntry&) const = default;
};

/// An error with the bytes of its freeze frame, kept so that the frame's
/// lines can be shown as the journals window shows them.
struct ErrorEntry {
  LocalMinutes time = 0;
  std::uint32_t code = 0;
  std::string code_text;              // in the format of the MK's protocol at the read
  std::vector<std::uint8_t> record;   // the 92 bytes
  std::vector<std::uint8_t> pid_map;  // the 12 bytes of the support bitmap
  int slot = 0;
};

/// The All group of the running totals.
struct TotalsSnapshot {
  std::uint32_t seconds = 0;
  std::uint32_t metres = 0;
  std::uint32_t petrol_ml = 0;
  std::uint32_t gas_ml = 0;
  std::vector<std::uint8_t> bytes;  // the whole Totals record

  /// True when one of the counters is below `older`'s: these totals are not
  /// a later state of the same MK.
  bool Below(const TotalsSnapshot& older) const;
};

struct ReadSnapshot {
  LocalMinutes read_time = 0;
  std::uint16_t device_version = 0;
  journal::Prices prices;
  std::vector<JournalEntry> trips;    // slot order
  std::vector<JournalEntry> refuels;  // slot order
  std::vector<ErrorEntry> errors;     // slot order
  TotalsSnapshot totals;
  std::string source;  // a file name, or empty for a read from the MK
};

/// The day, month and minutes of one journal slot, as stored.
struct SlotDate {
  std::uint8_t day = 0;  // 0: an empty slot
  std::uint8_t month = 0;
  std::uint16_t minutes = 0;
};

/// The moment of each slot, slot 0 the latest: its year is the read's, one
/// year back when slot 0 lies more than `kClockAhead` after the read time
/// (within it, the MK's clock is ahead of the computer's: a journal a year
/// old is the less likely reading), and one more each time an
/// older slot's date lies later in the year than the newer one's before it
/// (the MK's journal runs backwards in time). A 29 February goes back to the
/// nearest leap year. An empty slot, or a date no year has, gives nothing and
/// is passed over.
inline constexpr LocalMinutes kClockAhead = 7 * 24 * 60;
std::vector<std::optional<LocalMinutes>> InferTimes(LocalMinutes read_time,
                                                    std::span<const SlotDate> slots);

/// The journals, errors, prices and totals of the model's records.
ReadSnapshot TakeSnapshot(const device::TMK& mk, LocalMinutes read_time);

/// The cost of an entry by the prices of its read, as the journal shows it
/// (money units, not yet rounded).
double EntryCost(const JournalEntry& entry, const journal::Prices& prices);

}  // namespace mk::history
