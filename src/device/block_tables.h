// SPDX-License-Identifier: GPL-3.0-or-later
// The blocks of the settings image and the field table of each record.
#pragma once

#include <array>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "device/field_table.h"

namespace mk::device {

/// A block of the directory; the value is its directory entry number.
enum class BlockId : int {
  Totals = 1,
  Parking = 2,
  FuelSensor = 3,
  TankCalibration = 4,
  Service = 5,
  Limits = 6,
  Journals = 7,
  Block8 = 8,
  AlarmStyles = 9,
  Display = 10,
  ServiceInfo = 11,
  ErrorJournal = 13,  // block 12 has no record: it goes back as the image holds it
  Cargo = 14,
};

inline constexpr std::size_t kDirectoryEntries = 14;

/// Every block that has a record, in directory order.
inline constexpr std::array<BlockId, 13> kRecordBlocks = {
    BlockId::Totals,      BlockId::Parking, BlockId::FuelSensor,  BlockId::TankCalibration,
    BlockId::Service,     BlockId::Limits,  BlockId::Journals,    BlockId::Block8,
    BlockId::AlarmStyles, BlockId::Display, BlockId::ServiceInfo, BlockId::ErrorJournal,
    BlockId::Cargo};

/// Blocks 1-11: what the settings editor loads, keeps and stores.
inline constexpr std::array<BlockId, 11> kSettingsBlocks = {
    BlockId::Totals,      BlockId::Parking, BlockId::FuelSensor, BlockId::TankCalibration,
    BlockId::Service,     BlockId::Limits,  BlockId::Journals,   BlockId::Block8,
    BlockId::AlarmStyles, BlockId::Display, BlockId::ServiceInfo};

/// Blocks 1-11 and 13: what LoadAll and StoreAll move and a write lays over the MK's image.
inline constexpr std::array<BlockId, 12> kStoredBlocks = {
    BlockId::Totals,      BlockId::Parking, BlockId::FuelSensor,  BlockId::TankCalibration,
    BlockId::Service,     BlockId::Limits,  BlockId::Journals,    BlockId::Block8,
    BlockId::AlarmStyles, BlockId::Display, BlockId::ServiceInfo, BlockId::ErrorJournal};

/// What the settings editor changes, and what an undo or a cancel puts back:
/// blocks 1-11 and Cargo. The MK keeps the tare weight and cargo density
/// (Cargo) elsewhere: they are edited like the rest but never reach the image
/// or a settings file.
inline constexpr std::array<BlockId, 12> kEditedBlocks = {
    BlockId::Totals,      BlockId::Parking, BlockId::FuelSensor,  BlockId::TankCalibration,
    BlockId::Service,     BlockId::Limits,  BlockId::Journals,    BlockId::Block8,
    BlockId::AlarmStyles, BlockId::Display, BlockId::ServiceInfo, BlockId::Cargo};

/// Whether a settings file holds `block`'s record.
constexpr bool InSettingsFile(BlockId block) {
  for (BlockId stored : kStoredBlocks)
    if (stored == block) return true;
  return false;
}

/// The refusal for a change to `name` (a setting or a Block.Field) whose
/// block never reaches a settings file.
std::string NotStoredMessage(std::string_view name);

/// The layout of `block`'s record.
const BlockDef& BlockDefOf(BlockId block);

/// Every block with a record, in directory order (for dumps and comparisons).
std::span<const BlockDef> AllBlockDefs();

/// The block whose record is called `name` ("Limits"), or nullptr.
const BlockDef* FindBlock(std::string_view name);

}  // namespace mk::device
