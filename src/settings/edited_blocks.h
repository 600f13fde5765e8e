// Which blocks the settings editor changes, and which of them closing it with
// OK stores into the image. The tare weight and cargo density (Cargo) are
// edited, undone and put back on cancel like the rest, but the MK keeps them
// elsewhere: they never reach the image or a settings file.
#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "device/block_tables.h"

namespace mk::settings {

/// What the editor may change, and what an undo or a cancel puts back.
inline constexpr std::array<device::BlockId, 12> kEditedBlocks = {
    device::BlockId::Totals,          device::BlockId::Parking,     device::BlockId::FuelSensor,
    device::BlockId::TankCalibration, device::BlockId::Service,     device::BlockId::Limits,
    device::BlockId::Journals,        device::BlockId::Block8,      device::BlockId::AlarmStyles,
    device::BlockId::Display,         device::BlockId::ServiceInfo, device::BlockId::Cargo};

/// Whether the edit transaction stores the block when the editor closes with OK.
constexpr bool StoredByEdit(device::BlockId block) {
  return std::ranges::find(device::kSettingsBlocks, block) != device::kSettingsBlocks.end();
}

/// The refusal for a change to a setting whose block is never stored.
inline std::string NotStoredMessage(std::string_view name) {
  return "Настройка «" + std::string(name) + "» не хранится в файле настроек.";
}

}  // namespace mk::settings
