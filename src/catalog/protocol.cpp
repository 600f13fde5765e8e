// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/protocol.h"

#include <algorithm>

#include "catalog/protocol_table.h"

namespace mk::catalog {
namespace {

ProtocolFeatures ToFeatures(ProtocolCaps caps, std::uint8_t vehicle_class,
                            std::uint8_t level_sensors) {
  ProtocolFeatures f;
  f.CoolantTemperature = caps.Has(ProtocolCap::kCoolant);
  f.ErrorReading = caps.Has(ProtocolCap::kErrors);
  f.GearboxOilTemperature = caps.Has(ProtocolCap::kGearboxOil);
  f.EngineOilTemperature = caps.Has(ProtocolCap::kEngineOil);
  f.FanControl = caps.Has(ProtocolCap::kFan);
  f.HybridDrive = caps.Has(ProtocolCap::kHybrid);
  f.AdditionalEngineCooling = caps.Has(ProtocolCap::kExtraCooling);
  f.SideLightsFromEcu = caps.Has(ProtocolCap::kSideLights);
  f.BatteryVoltageFromEcu = caps.Has(ProtocolCap::kBattery);
  f.VehicleClass = vehicle_class;
  f.EcuLevelSensors = std::min<std::uint8_t>(level_sensors, 3);
  return f;
}

// The ECU is asked for speed and revolutions before the protocol's own codes.
std::vector<std::uint8_t> EcuCodes(const std::vector<std::uint8_t>& own_codes) {
  std::vector<std::uint8_t> codes{12, 13};
  codes.insert(codes.end(), own_codes.begin(), own_codes.end());
  return codes;
}

TProtBase MakeProtocol(const ProtocolRow& row, Features features) {
  std::string name = row.name;
  if (row.code == kTiggoProtocolCode && features.Has(Feature::TiggoName)) name = "Tiggo";
  TProtBase p(std::move(name), EcuCodes(row.own_codes), row.own_codes, row.error_format, row.code,
              features);
  const OptionSet& options = GetOptionSet(row.options);
  p.Groups = options.groups;
  p.Capabilities = ToFeatures(ProtocolCaps::FromBits(row.caps.Bits() | options.caps.Bits()),
                              row.vehicle_class, row.level_sensors);
  p.Blocks = row.blocks;
  return p;
}

}  // namespace

TProtBase::TProtBase(std::string name, const std::vector<std::uint8_t>& extra_codes,
                     const std::vector<std::uint8_t>& own_codes, std::int32_t error_code_format,
                     std::uint8_t protocol_code, Features features)
    : Name(std::move(name)), ProtocolCode(protocol_code), ErrorCodeFormat(error_code_format) {
  for (std::uint8_t code = 1; code <= 16; ++code) AddParamCode(code);
  for (std::uint8_t code : own_codes) AddParamCode(code);
  if (features.Has(Feature::Code40Param)) AddParamCode(40);
  if (features.Has(Feature::Inclinometer)) {
    AddParamCode(55);
    AddParamCode(56);
  }
  const std::size_t n = std::min<std::size_t>(extra_codes.size(), kMaxCodes);
  ExtraCodes.assign(extra_codes.begin(), extra_codes.begin() + static_cast<std::ptrdiff_t>(n));
}

void TProtBase::AddParamCode(std::uint8_t code) {
  if (code == 0 || ParamCodes.size() >= static_cast<std::size_t>(kMaxCodes)) return;
  ParamCodes.push_back(code);
}

bool TProtBase::HasParamCode(std::uint8_t code) const {
  return std::find(ParamCodes.begin(), ParamCodes.end(), code) != ParamCodes.end();
}

void ProtocolCatalogue::Build(std::uint16_t device_version, std::uint8_t selected,
                              std::uint8_t firmware_variant) {
  items_.clear();
  current_ = -1;
  variant_ = LookupVariant(device_version, firmware_variant);
  for (const ProtocolRow& row : ProtocolRows()) {
    if (variant_.families.Has(row.family)) items_.push_back(MakeProtocol(row, variant_.features));
  }
  if (selected < items_.size()) current_ = selected;
}

const TProtBase* ProtocolCatalogue::Current() const {
  return current_ >= 0 ? &items_[static_cast<std::size_t>(current_)] : nullptr;
}

}  // namespace mk::catalog
