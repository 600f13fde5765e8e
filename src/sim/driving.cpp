// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/driving.h"

#include <stdexcept>
#include <vector>

#include "device/mk.h"
#include "journal/trip_journal.h"
#include "sim/factory_image.h"
#include "sim/journal_entry.h"
#include "text/byte_io.h"
#include "text/error.h"

namespace mk::sim {
namespace {

using device::BlockId;

constexpr std::uint32_t kRefuelEveryM = 450000;

struct Counters {
  std::uint32_t seconds, metres, petrol_ml;
};

// The newest entry goes to slot 0; the others move one slot older.
void Push(std::vector<std::uint8_t>& journals, std::size_t at, history::LocalMinutes when,
          const Counters& c) {
  const std::size_t size = device::kJournalRecordSize;
  for (std::size_t slot = device::kJournalRecords - 1; slot > 0; --slot) {
    for (std::size_t i = 0; i < size; ++i) {
      journals[at + slot * size + i] = journals[at + (slot - 1) * size + i];
    }
  }
  const auto t = history::FromMinutes(when);
  PutJournalEntry(std::span(journals).subspan(at, size),
                  {static_cast<std::uint16_t>(t.minutes), static_cast<std::uint8_t>(t.day),
                   static_cast<std::uint8_t>(t.month), c.seconds, c.metres, c.petrol_ml, 0});
}

void Add(std::vector<std::uint8_t>& totals, std::size_t at, std::uint32_t value) {
  bytes::WriteU32(totals, at, bytes::ReadU32(totals, at) + value);
}

}  // namespace

std::uint32_t Driver::Next(std::uint32_t below) {
  state_ = state_ * 1664525u + 1013904223u;
  return (state_ >> 8) % below;
}

void Driver::DriveDay(std::span<std::uint8_t> memory, history::LocalMinutes day,
                      history::LocalMinutes until) {
  const std::vector<std::uint8_t> before = ImageFromMemory(memory);
  device::TMK mk;
  try {
    mk.ReplaceImage(1, before);
  } catch (const Error& e) {
    throw std::invalid_argument(std::string("no journals to drive into: ") + e.what());
  }
  auto& journals = mk.Rec(BlockId::Journals).Bytes();
  auto& totals = mk.Rec(BlockId::Totals).Bytes();
  const history::LocalMinutes midnight = day - history::FromMinutes(day).minutes;
  const std::uint32_t trips = 1 + Next(3);
  history::LocalMinutes start = midnight + 7 * 60 + Next(120);
  for (std::uint32_t i = 0; i < trips; ++i) {
    const std::uint32_t minutes = 10 + Next(80);
    if (until >= 0 && start + minutes > until) break;
    const std::uint32_t speed_kmh = 25 + Next(45);
    const std::uint32_t metres = minutes * speed_kmh * 1000 / 60;
    const std::uint32_t per_100km_ml = 6500 + Next(4000);
    const Counters c{minutes * 60, metres,
                     static_cast<std::uint32_t>(std::uint64_t{metres} * per_100km_ml / 100000)};
    Push(journals, journal::JournalField(journal::JournalKind::Trip).offset, start, c);
    Add(totals, 0, c.seconds);
    Add(totals, 4, c.metres);
    Add(totals, 8, c.petrol_ml);
    for (std::size_t k = 0; k < 3; ++k) {  // the Trip group holds the last trip alone
      bytes::WriteU32(totals, 12 + 4 * k, k == 0 ? c.seconds : k == 1 ? c.metres : c.petrol_ml);
    }
    since_refuel_s_ += c.seconds;
    since_refuel_m_ += c.metres;
    since_refuel_ml_ += c.petrol_ml;
    start += minutes;
    if (since_refuel_m_ >= kRefuelEveryM) {
      Push(journals, journal::JournalField(journal::JournalKind::Tank).offset, start,
           {since_refuel_s_, since_refuel_m_, since_refuel_ml_});
      since_refuel_s_ = since_refuel_m_ = since_refuel_ml_ = 0;
    }
    start += 30 + Next(300);
  }
  mk.Store(BlockId::Journals);
  mk.Store(BlockId::Totals);
  // Only what the read image covers changes; the pages a read never sees stay.
  const auto old_memory = MemoryFromImage(before, memory.size());
  const auto new_memory = MemoryFromImage(mk.Image(), memory.size());
  for (std::size_t i = 0; i < memory.size(); ++i) {
    memory[i] = static_cast<std::uint8_t>(memory[i] ^ old_memory[i] ^ new_memory[i]);
  }
}

}  // namespace mk::sim
