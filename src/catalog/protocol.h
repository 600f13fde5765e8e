// SPDX-License-Identifier: GPL-3.0-or-later
// The ECU protocols an MK speaks, with their parameter lists, option groups
// and the features the editor shows or hides settings by.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "catalog/variant.h"

namespace mk::catalog {

/// A protocol option chosen in the editor; an empty caption hides the group.
struct OptionGroup {
  std::string Caption;
  std::vector<std::string> Items;
};

/// What a protocol delivers beyond parameter codes; the editor shows or hides
/// settings by these.
struct ProtocolFeatures {
  // The first two are on for every protocol unless its row says otherwise.
  bool CoolantTemperature = true;
  bool ErrorReading = true;
  bool GearboxOilTemperature = false;  // also the gearbox oil limit and alarm
  bool EngineOilTemperature = false;
  bool FanControl = false;
  bool HybridDrive = false;
  bool AdditionalEngineCooling = false;
  bool SideLightsFromEcu = false;
  bool BatteryVoltageFromEcu = false;
  std::uint8_t VehicleClass = 0;     // one of the kVehicle... classes, or 0
  std::uint8_t EcuLevelSensors = 0;  // fuel level sensors read from the ECU, 0..3
};

/// The vehicle classes of the protocol table that change which settings show.
inline constexpr std::uint8_t kVehicleWithGearboxWear = 1;  // cars whose ECU tells gearbox wear
inline constexpr std::uint8_t kVehicleTruck = 14;
inline constexpr std::uint8_t kVehicleDieselFilter = 82;  // a particulate filter to watch

class TProtBase {
 public:
  static constexpr int kMaxCodes = 101;
  static constexpr int kGroupCount = 8;  // the variant group, then subtypes 1..7
  static constexpr int kMaxItems = 21;
  static constexpr int kMaxItemsGroup4 = 61;  // subtype group 4

  /// Appends codes 1..16, then `own_codes`, then 40 when `Code40Param` is in
  /// `features`, then 55 and 56 with `Inclinometer`; copies `extra_codes`.
  TProtBase(std::string name, const std::vector<std::uint8_t>& extra_codes,
            const std::vector<std::uint8_t>& own_codes, std::int32_t error_code_format,
            std::uint8_t protocol_code, Features features);

  /// Appends a code; 0 and codes past the 101st are ignored.
  void AddParamCode(std::uint8_t code);

  std::string Name;
  std::uint8_t ProtocolCode = 0;
  std::vector<std::uint8_t> ParamCodes;
  std::vector<std::uint8_t> ExtraCodes;
  /// Error-code format 0..9; kNoErrorFormat renders every code as "".
  std::int32_t ErrorCodeFormat = 0;
  static constexpr std::int32_t kNoErrorFormat = 1000;
  std::array<OptionGroup, kGroupCount> Groups;  // ProtTypeMain, ProtTypeAdd1..7
  ProtocolFeatures Capabilities;
  /// Additional-system block numbers this protocol polls.
  std::vector<std::uint8_t> Blocks;

  int ParamCount() const { return static_cast<int>(ParamCodes.size()); }
  int ExtraCount() const { return static_cast<int>(ExtraCodes.size()); }
  bool HasParamCode(std::uint8_t code) const;
};

/// The protocols of one MK in build order, with the current one.
class ProtocolCatalogue {
 public:
  /// Empties the catalogue, looks the variant up and builds every protocol of
  /// its families. The current protocol is the entry at `selected`; an index
  /// outside the catalogue leaves no current protocol.
  void Build(std::uint16_t device_version, std::uint8_t selected, std::uint8_t firmware_variant);

  const std::vector<TProtBase>& Items() const { return items_; }
  const VariantInfo& Variant() const { return variant_; }
  /// nullptr when the selected index lies outside the catalogue.
  const TProtBase* Current() const;
  int CurrentIndex() const { return current_; }
  bool Has(Feature f) const { return variant_.features.Has(f); }

 private:
  std::vector<TProtBase> items_;
  VariantInfo variant_;
  int current_ = -1;
};

}  // namespace mk::catalog
