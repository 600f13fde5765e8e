// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/records.h"

#include "device/mk.h"
#include "journal/error_journal.h"
#include "journal/trip_journal.h"
#include "text/byte_io.h"

namespace mk::history {
namespace {

using device::BlockId;

constexpr std::size_t kPidMapAt = 4;
constexpr std::size_t kPidMapSize = 12;
constexpr std::size_t kErrorsAt = 16;

// Orders dates inside a year; the minutes of an entry past midnight of a
// 24-hour day are taken as the journal shows them (hour modulo 24).
int KeyInYear(const SlotDate& d) {
  return (d.month * 32 + d.day) * 1440 + d.minutes % 1440;
}

std::vector<JournalEntry> Entries(std::span<const std::uint8_t> journals, std::size_t at,
                                  EntryKind kind, LocalMinutes read_time) {
  std::vector<journal::TripRecord> records;
  std::vector<SlotDate> dates;
  for (std::size_t slot = 0; slot < device::kJournalRecords; ++slot) {
    const std::size_t offset = at + slot * device::kJournalRecordSize;
    if (offset + device::kJournalRecordSize > journals.size()) break;
    const auto r = journal::TripRecord::Read(journals.subspan(offset));
    records.push_back(r);
    dates.push_back({r.day, r.month, r.minutes});
  }
  const auto times = InferTimes(read_time, dates);
  std::vector<JournalEntry> out;
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (!times[i]) continue;
    const auto& r = records[i];
    out.push_back(
        {kind, *times[i], r.seconds, r.metres, r.petrol_ml, r.gas_ml, static_cast<int>(i)});
  }
  return out;
}

std::vector<ErrorEntry> Errors(const device::TMK& mk, LocalMinutes read_time) {
  const auto& block = mk.Rec(BlockId::ErrorJournal).Bytes();
  if (block.size() < kErrorsAt) return {};
  const std::vector<std::uint8_t> pid_map(block.begin() + kPidMapAt,
                                          block.begin() + kPidMapAt + kPidMapSize);
  const auto style = journal::CurrentErrorCodeStyle(mk);
  std::vector<SlotDate> dates;
  std::vector<std::uint32_t> codes;
  for (std::size_t slot = 0; slot < device::kErrorRecords; ++slot) {
    const std::size_t at = kErrorsAt + slot * device::kErrorRecordSize;
    if (at + device::kErrorRecordSize > block.size()) break;
    const std::uint32_t code = bytes::ReadU32(block, at + 4);
    codes.push_back(code);
    // An empty slot (code 0) is no entry, whatever its date.
    dates.push_back(
        {code == 0 ? std::uint8_t{0} : block[at + 2], block[at + 3], bytes::ReadU16(block, at)});
  }
  const auto times = InferTimes(read_time, dates);
  std::vector<ErrorEntry> out;
  for (std::size_t slot = 0; slot < times.size(); ++slot) {
    if (!times[slot]) continue;
    const std::size_t at = kErrorsAt + slot * device::kErrorRecordSize;
    ErrorEntry e;
    e.time = *times[slot];
    e.code = codes[slot];
    e.code_text = journal::RenderErrorCode(codes[slot], style.format, style.options);
    e.record.assign(block.begin() + static_cast<std::ptrdiff_t>(at),
                    block.begin() + static_cast<std::ptrdiff_t>(at + device::kErrorRecordSize));
    e.pid_map = pid_map;
    e.slot = static_cast<int>(slot);
    out.push_back(std::move(e));
  }
  return out;
}

TotalsSnapshot Totals(const std::vector<std::uint8_t>& bytes) {
  TotalsSnapshot t;
  t.bytes = bytes;
  if (bytes.size() >= 140) {
    t.seconds = bytes::ReadU32(bytes, 0);
    t.metres = bytes::ReadU32(bytes, 4);
    t.petrol_ml = bytes::ReadU32(bytes, 8);
    t.gas_ml = bytes::ReadU32(bytes, 136);
  }
  return t;
}

}  // namespace

bool TotalsSnapshot::Below(const TotalsSnapshot& older) const {
  return seconds < older.seconds || metres < older.metres || petrol_ml < older.petrol_ml ||
         gas_ml < older.gas_ml;
}

std::vector<std::optional<LocalMinutes>> InferTimes(LocalMinutes read_time,
                                                    std::span<const SlotDate> slots) {
  const CivilTime read = FromMinutes(read_time + kClockAhead);
  int year = read.year;
  int newer = KeyInYear({static_cast<std::uint8_t>(read.day), static_cast<std::uint8_t>(read.month),
                         static_cast<std::uint16_t>(read.minutes)});
  std::vector<std::optional<LocalMinutes>> out;
  for (const SlotDate& d : slots) {
    // A day no month has in any year: not a date, never placed.
    if (d.day == 0 || d.month < 1 || d.month > 12 || d.day > DaysInMonth(2000, d.month)) {
      out.emplace_back();
      continue;
    }
    const int key = KeyInYear(d);
    if (key > newer) --year;
    while (!ValidDate(year, d.month, d.day)) --year;  // 29.02: at most seven years back
    newer = key;
    out.emplace_back(ToMinutes({year, d.month, d.day, d.minutes % 1440}));
  }
  return out;
}

ReadSnapshot TakeSnapshot(const device::TMK& mk, LocalMinutes read_time) {
  ReadSnapshot s;
  s.read_time = read_time;
  s.device_version = mk.DeviceVersion();
  const auto& journals = mk.Rec(BlockId::Journals).Bytes();
  if (journals.size() >= 8) s.prices = journal::Prices::Read(journals);
  using journal::JournalKind;
  s.trips = Entries(journals, journal::JournalField(JournalKind::Trip).offset, EntryKind::Trip,
                    read_time);
  s.refuels = Entries(journals, journal::JournalField(JournalKind::Tank).offset, EntryKind::Refuel,
                      read_time);
  s.errors = Errors(mk, read_time);
  s.totals = Totals(mk.Rec(BlockId::Totals).Bytes());
  return s;
}

double EntryCost(const JournalEntry& e, const journal::Prices& p) {
  return (e.metres / 1000.0 * p.path + e.petrol_ml / 1000.0 * p.expense +
          e.gas_ml / 1000.0 * p.gas + e.seconds / 360.0 * p.time) /
         10.0;
}

}  // namespace mk::history
