// SPDX-License-Identifier: GPL-3.0-or-later
// The trip and refuelling journals: one 20-byte record per entry, 21 entries
// each in the Journals block, decoded to the texts of the journal grids.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "device/field_table.h"
#include "journal/text_grid.h"

namespace mk::journal {

enum class JournalKind { Trip, Tank };

/// Where the journal lies in the Journals block, how many records it has and how long each is.
const device::FieldDef& JournalField(JournalKind kind);

/// Counters are seconds, metres and millilitres as the MK stores them.
struct TripRecord {
  std::uint16_t minutes = 0;  // time of day of the entry
  std::uint8_t day = 0;       // 0: an empty slot
  std::uint8_t month = 0;
  std::uint32_t seconds = 0;
  std::uint32_t metres = 0;
  std::uint32_t petrol_ml = 0;
  std::uint32_t gas_ml = 0;

  bool Empty() const { return day == 0; }
  /// The record at the start of `bytes`; mk::RangeError when fewer than 20 bytes.
  static TripRecord Read(std::span<const std::uint8_t> bytes);
};

/// The four prices at the start of the Journals block: petrol and gas per
/// litre and distance per kilometre in tenths, time per hour in whole units.
struct Prices {
  std::int16_t expense = 0;
  std::int16_t time = 0;
  std::int16_t path = 0;
  std::int16_t gas = 0;

  /// mk::RangeError when `journals` holds fewer than 8 bytes.
  static Prices Read(std::span<const std::uint8_t> journals);
};

/// Columns 1 to 8 of a journal row: date and time of the entry, time on the
/// road, distance, fuel, average speed, consumption per 100 km and per hour,
/// cost. An empty slot gives "Пусто" and seven empty texts.
std::array<std::string, 8> TripColumns(const TripRecord& record, const Prices& prices,
                                       std::string_view separator);

/// The whole grid of one journal from the Journals block: the header row, then
/// "Посл." and "1" to "20" with slots 0 to 20. A slot the block is too short
/// to hold shows as empty, and missing prices count 0.
TextGrid JournalGrid(std::span<const std::uint8_t> journals, JournalKind kind,
                     std::string_view separator);

}  // namespace mk::journal
