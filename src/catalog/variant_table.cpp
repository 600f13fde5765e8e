// SPDX-License-Identifier: GPL-3.0-or-later
// The MK models and firmware variants the configurator knows. Adding a model
// or a variant is one row here; docs/catalog.md explains every flag.
#include "catalog/variant.h"

namespace mk::catalog {
namespace {

using enum Feature;
using F = Family;

// What every passenger-car firmware speaks.
constexpr Families kCarFamilies{
    F::RussianCan,    F::ToyotaCan,   F::FordCan,    F::Can,    F::Ems3125,   F::American,
    F::Tobd1,         F::Mikas,       F::Daewoo,     F::Nissan, F::Aveo,      F::RussianKLine,
    F::Korean,        F::Subaru,      F::Renault,    F::Vag,    F::GreatWall, F::VagCe,
    F::Obd2,          F::ToyotaKLine, F::Mitsubishi, F::Opel,   F::SsangYong, F::Consult,
    F::ConsultDiesel, F::Japanese,    F::ObdPwm,     F::Delphi, F::Universal};
constexpr Families kHybridFamilies{F::Hybrid, F::HybridEarly, F::ToyotaCan, F::Can,
                                   F::Obd2,   F::ToyotaKLine, F::Universal};
constexpr Families kTruckFamilies{F::J1939Truck, F::Iveco, F::Universal};
constexpr Families kBusFamilies{F::J1939Bus, F::Iveco, F::Universal};
constexpr Families kMarineFamilies{F::Marine, F::Universal};
constexpr Families kVagFamilies{F::Vag, F::VagCe, F::Can, F::Obd2, F::Universal};
constexpr Families kVagOpelFamilies{F::Vag, F::VagCe, F::Can, F::Obd2, F::Opel, F::Universal};
constexpr Families kBasicFamilies{F::RussianKLine, F::Mikas, F::Daewoo, F::Universal};

// DeviceVersion, firmware variant, project, features, families.
const std::vector<VariantInfo> kRows = {
    // A passenger car with the full Russian and foreign ECU set. 1/0 is also
    // what a new, empty device model starts as.
    {1,
     0,
     "Легковой",
     {HasLightsControl, DippedBeamControl, HasUniMeas, HasBlocks, HasCorrUOZ, HasAutoOBD,
      Oscilloscope},
     kCarFamilies},
    {1,
     1,
     "Легковой Такси",
     {HasLightsControl, DippedBeamControl, HasUniMeas, HasBlocks, HasCorrUOZ, HasAutoOBD, HasTaxi,
      Code40Param, Oscilloscope},
     kCarFamilies},
    {1,
     2,
     "Легковой Плюс",
     {HasLightsControl, LightsOnMenu, DippedBeamControl, HasUniMeas, HasBlocks, ExtendedBlocks,
      HasBoschBlocks, HasCorrUOZ, HasTank2, HasAutoOBD, HasAutoOpel, Inclinometer, TiggoName,
      Oscilloscope},
     kCarFamilies},
    // Hybrids: no gas, no sensor inputs, three-value screens, battery blocks.
    {2,
     0,
     "Гибрид",
     {NoGas, NoSensorInputs, HasX3Displays, HasBlocks, ExtendedBlocks, FixedGabarInput,
      Oscilloscope},
     kHybridFamilies},
    {2,
     1,
     "Гибрид Такси",
     {NoGas, NoSensorInputs, HasX3Displays, HasBlocks, ExtendedBlocks, FixedGabarInput, HasTaxi,
      Oscilloscope},
     kHybridFamilies},
    {2,
     2,
     "Гибрид Свет",
     {NoGas, NoSensorInputs, NoAirTemper, HasX3Displays, HasBlocks, ExtendedBlocks,
      HasLightsControl, DippedBeamControl, FixedGabarInput},
     kHybridFamilies},
    // Trucks and buses on J1939: 24 V, cargo, service by kilometres.
    {3,
     0,
     "Грузовой",
     {Is24V, HasCargo, HasTruckOptions, NoGas, ServiceKm, NoX7Displays, HasBlocks, ExtendedBlocks,
      NoTankSensor, Oscilloscope},
     kTruckFamilies},
    {3,
     1,
     "Автобус",
     {Is24V, HasTruckOptions, NoGas, ServiceKm, NoX7Displays, HasBlocks, ExtendedBlocks,
      ParkTypeFixedA},
     kBusFamilies},
    {3,
     2,
     "Водный",
     {NoGas, NoParkSensors, NoGabarLights, NoStopVelocity, ServiceKm, NoLockType},
     kMarineFamilies},
    // VAG-oriented firmware: automatic VAG detection, diesel filter.
    {4,
     0,
     "VAG",
     {IsVAG, HasAutoOBD, HasBlocks, HasUniMeas, HasLightsControl, DippedBeamControl, Oscilloscope},
     kVagFamilies},
    {4,
     1,
     "VAG Такси",
     {IsVAG, NoAutoVAG, HasAutoOBD, HasBlocks, HasTaxi, HasLightsControl, DippedBeamControl},
     kVagFamilies},
    {4,
     2,
     "VAG Opel",
     {IsVAG, HasAutoOBD, HasAutoOpel, HasBlocks, HasUniMeas, Oscilloscope},
     kVagOpelFamilies},
    // A basic MK: no voice, no parking radar, few inputs.
    {5,
     0,
     "Базовый",
     {NoVoice, NoParkSensors, NoStopVelocity, NoLockType, NoTankSensor, HasCorrUOZ},
     kBasicFamilies},
    {5,
     1,
     "Базовый мини",
     {NoVoice, NoParkSensors, NoStopVelocity, NoLockType, NoTankSensor, NoAirTemper, NoGas,
      NoGabarLights, NoSensorInputs, NoX7Displays},
     kBasicFamilies},
    {5,
     2,
     "Базовый Парк",
     {NoVoice, ParkTypeFixedB, NoStopVelocity, NoLockType, HasCorrUOZ},
     kBasicFamilies},
};

// An MK this program does not know yet: offer everything, take nothing away.
constexpr Features kPermissiveFeatures{
    HasTank2,       HasLightsControl,  HasUniMeas,   HasBlocks,      IsVAG,           HasTaxi,
    HasCargo,       HasAutoOBD,        HasAutoOpel,  ExtendedBlocks, HasTruckOptions, HasCorrUOZ,
    HasBoschBlocks, DippedBeamControl, Oscilloscope, Code40Param,    Inclinometer};
constexpr Families kAllFamilies =
    Families::FromBits((std::uint64_t{1} << static_cast<unsigned>(Family::Count)) - 1);

constexpr std::string_view kFeatureNames[] = {"NoParkSensors",
                                              "NoGas",
                                              "NoSensorInputs",
                                              "HasTank2",
                                              "HasLightsControl",
                                              "HasUniMeas",
                                              "NoStopVelocity",
                                              "HasBlocks",
                                              "NoGabarLights",
                                              "NoAirTemper",
                                              "IsVAG",
                                              "NoVoice",
                                              "HasTaxi",
                                              "HasX3Displays",
                                              "NoX7Displays",
                                              "ServiceKm",
                                              "Is24V",
                                              "HasCargo",
                                              "NoLockType",
                                              "NoTankSensor",
                                              "HasAutoOBD",
                                              "NoAutoVAG",
                                              "HasAutoOpel",
                                              "ParkTypeFixedA",
                                              "ParkTypeFixedB",
                                              "ExtendedBlocks",
                                              "HasTruckOptions",
                                              "FixedGabarInput",
                                              "HasCorrUOZ",
                                              "HasBoschBlocks",
                                              "LightsOnMenu",
                                              "DippedBeamControl",
                                              "Oscilloscope",
                                              "Code40Param",
                                              "Inclinometer",
                                              "TiggoName"};
static_assert(std::size(kFeatureNames) == static_cast<std::size_t>(Feature::Count));

constexpr std::string_view kFamilyNames[] = {
    "RussianCan",    "ToyotaCan",   "Hybrid",     "HybridEarly", "FordCan",   "Iveco",
    "Can",           "Ems3125",     "J1939Truck", "J1939Bus",    "Marine",    "American",
    "Tobd1",         "Mikas",       "Daewoo",     "Nissan",      "Aveo",      "RussianKLine",
    "Korean",        "Subaru",      "Renault",    "Vag",         "GreatWall", "VagCe",
    "Obd2",          "ToyotaKLine", "Mitsubishi", "Opel",        "SsangYong", "Consult",
    "ConsultDiesel", "Japanese",    "ObdPwm",     "Delphi",      "Universal"};
static_assert(std::size(kFamilyNames) == static_cast<std::size_t>(Family::Count));
static_assert(static_cast<unsigned>(Family::Count) <= 64 &&
              static_cast<unsigned>(Feature::Count) <= 64);

}  // namespace

VariantInfo LookupVariant(std::uint16_t device_version, std::uint8_t firmware_variant) {
  for (const auto& row : kRows) {
    if (row.device_version == device_version && row.firmware_variant == firmware_variant) {
      return row;
    }
  }
  return {device_version,      firmware_variant, "Неизвестная модель",
          kPermissiveFeatures, kAllFamilies,     false};
}

const std::vector<VariantInfo>& VariantTable() {
  return kRows;
}

std::string_view FeatureName(Feature f) {
  const auto i = static_cast<std::size_t>(f);
  return i < std::size(kFeatureNames) ? kFeatureNames[i] : std::string_view{};
}

std::string_view FamilyName(Family f) {
  const auto i = static_cast<std::size_t>(f);
  return i < std::size(kFamilyNames) ? kFamilyNames[i] : std::string_view{};
}

}  // namespace mk::catalog
