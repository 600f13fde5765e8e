// SPDX-License-Identifier: GPL-3.0-or-later
// The rows the protocol catalogue is built from: one per protocol, in build
// order, and the option sets several protocols share.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "catalog/protocol.h"
#include "catalog/variant.h"

namespace mk::catalog {

/// Per-protocol switches, as stored in a row.
enum class ProtocolCap : unsigned {
  kCoolant,
  kErrors,
  kGearboxOil,
  kEngineOil,
  kFan,
  kHybrid,
  kExtraCooling,
  kSideLights,
  kBattery,
};
using ProtocolCaps = FlagSet<ProtocolCap>;

enum class OptionSetId : std::uint8_t {
  kNone,
  kCanPolling,
  kGenericCan,
  kM74Can,
  kRussianEcu,
  kRussianEcu2,
  kMikas,
  kTobd1,
  kToyotaCoolant,
  kMitsubishi,
  kOpel,
  kObd,
  kRenault,
  kErrorRequest,
  kErrorType,
  kThrottle,
  kConsumption,
  kProbe,
};

struct OptionSet {
  std::array<OptionGroup, TProtBase::kGroupCount> groups;
  /// Switches that come with the options (the gearbox oil limit with the
  /// gearbox oil choice).
  ProtocolCaps caps;
};

const OptionSet& GetOptionSet(OptionSetId id);

struct ProtocolRow {
  Family family;
  const char* name;
  std::uint8_t code;
  std::int32_t error_format;
  std::vector<std::uint8_t> own_codes;
  OptionSetId options;
  ProtocolCaps caps;
  std::uint8_t vehicle_class;
  std::uint8_t level_sensors;
  std::vector<std::uint8_t> blocks;
};

/// Every protocol row, in build order.
const std::vector<ProtocolRow>& ProtocolRows();

/// The code of the protocol whose name follows the TiggoName flag.
inline constexpr std::uint8_t kTiggoProtocolCode = 63;

}  // namespace mk::catalog
