// SPDX-License-Identifier: GPL-3.0-or-later
// What a given MK model and firmware variant can do: the project name, the
// capability flags the editor and the menus read, and which protocol families
// the firmware speaks. The rows themselves live in variant_table.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/flag_set.h"

namespace mk::catalog {

/// Capability flags of a model and firmware variant. The names are those the
/// editor and the device menu test.
enum class Feature : unsigned {
  NoParkSensors,
  NoGas,
  NoSensorInputs,
  HasTank2,
  HasLightsControl,
  HasUniMeas,
  NoStopVelocity,
  HasBlocks,
  NoGabarLights,
  NoAirTemper,
  IsVAG,
  NoVoice,
  HasTaxi,
  HasX3Displays,
  NoX7Displays,
  ServiceKm,
  Is24V,
  HasCargo,
  NoLockType,
  NoTankSensor,
  HasAutoOBD,
  NoAutoVAG,
  HasAutoOpel,
  ParkTypeFixedA,
  ParkTypeFixedB,
  ExtendedBlocks,
  HasTruckOptions,
  FixedGabarInput,
  // Device menu items.
  HasCorrUOZ,
  HasBoschBlocks,
  // The MK's own menu can switch the lights on (parameter code 11 becomes the
  // lights flag instead of the air temperature).
  LightsOnMenu,
  // The MK drives the dipped beam.
  DippedBeamControl,
  Oscilloscope,
  // Protocol lists gain parameter code 40.
  Code40Param,
  // Protocol lists gain the course angle and roll (codes 55 and 56).
  Inclinometer,
  // The protocol with code 63 is called "Tiggo" instead of "Bosch".
  TiggoName,
  Count
};

/// Protocol families. Each protocol of the catalogue is built only when the
/// variant speaks its family.
enum class Family : unsigned {
  RussianCan,   // "M74CAN", "M86", "УАЗ 17971E5"
  ToyotaCan,    // "CAN Toyota"
  Hybrid,       // the Toyota hybrids
  HybridEarly,  // the early "Lex RX400H"
  FordCan,
  Iveco,
  Can,  // the generic CAN
  Ems3125,
  J1939Truck,
  J1939Bus,
  Marine,  // "NMEA2000", "BRP"
  American,
  Tobd1,
  Mikas,
  Daewoo,
  Nissan,
  Aveo,
  RussianKLine,
  Korean,
  Subaru,
  Renault,
  Vag,
  GreatWall,
  VagCe,
  Obd2,
  ToyotaKLine,
  Mitsubishi,
  Opel,
  SsangYong,
  Consult,
  ConsultDiesel,
  Japanese,
  ObdPwm,
  Delphi,
  Universal,
  Count
};

using Features = FlagSet<Feature>;
using Families = FlagSet<Family>;

/// One row of the model-and-variant table.
struct VariantInfo {
  std::uint16_t device_version = 0;
  std::uint8_t firmware_variant = 0;
  std::string_view project;
  Features features;
  Families families;
  /// False for the permissive row used for a model or variant not in the table.
  bool known = true;
};

/// The row for (DeviceVersion, firmware variant). A pair not in the table gets
/// a permissive row: every family and every feature that adds something, none
/// that takes something away, so a newer MK can still be edited completely.
VariantInfo LookupVariant(std::uint16_t device_version, std::uint8_t firmware_variant);

/// Every row of the table, in table order.
const std::vector<VariantInfo>& VariantTable();

/// The name of a flag as used in code, e.g. "NoParkSensors".
std::string_view FeatureName(Feature f);
std::string_view FamilyName(Family f);

}  // namespace mk::catalog
