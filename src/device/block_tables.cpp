// SPDX-License-Identifier: GPL-3.0-or-later
// The field tables of every record. Offsets are within the block's data;
// bytes no table names are reserved and travel with their block untouched.
#include "device/block_tables.h"

#include <cstdint>

namespace mk::device {

namespace {

using T = FieldType;

constexpr FieldDef kTotals[] = {
    Array("AllSum", 0, T::U32, 3),          Array("TripSum", 12, T::U32, 3),
    Array("ResetSum", 24, T::U32, 3),       Array("StopSum", 36, T::U32, 3),
    Array("NoStopSum", 48, T::U32, 3),      Array("TankSum", 60, T::U32, 3),
    Scalar("AllPathStart", 100, T::S32),    Scalar("ResetPeriod0", 104, T::S8),
    Scalar("ResetPeriod1", 105, T::S8, -1), Array("OilOnlySum", 108, T::U32, 3),
    Array("GasOnlySum", 120, T::U32, 3),    Scalar("ResetPeriodOnly", 134, T::S8, -1),
    Scalar("AllSumGas", 136, T::U32),       Scalar("TripSumGas", 140, T::U32),
    Scalar("ResetSumGas", 144, T::U32),     Scalar("StopSumGas", 148, T::U32),
    Scalar("NoStopSumGas", 152, T::U32),    Scalar("TankSumGas", 156, T::U32),
};

constexpr FieldDef kParking[] = {
    Scalar("ParkUse0", 0, T::U8),
    Scalar("ParkUse1", 1, T::U8),
    Scalar("ParkSense0", 2, T::U8),
    Scalar("ParkSense1", 3, T::U8),
    Scalar("ParkSpeed0", 4, T::U8),
    Scalar("ParkSpeed1", 5, T::U8),
    Scalar("ParkMinLeng0", 6, T::U8),
    Scalar("ParkMinLeng1", 7, T::U8),
    Scalar("ParkStopVel0", 8, T::U8),
    Scalar("ParkStopVel1", 9, T::U8),
    Scalar("ParkStopLeng0", 10, T::U8),
    Scalar("ParkStopLeng1", 11, T::U8),
    Scalar("ParkBeepType", 14, T::U8),
    Scalar("ParkStopLengBeep", 15, T::U8),
    Scalar("ParkForwConstOff", 16, T::U8),
    Scalar("ParkFarkopLen", 17, T::U8),
    Scalar("ParkType", 18, T::U8),
    Scalar("ParkProbesQntReal0", 21, T::U8),
    Scalar("ParkProbesQntReal1", 22, T::U8),
};

constexpr FieldDef kFuelSensor[] = {
    Scalar("Oil6L", 0, T::S16, 1000),       Scalar("Lit6L", 2, T::S16, 6),
    Scalar("Oil43L", 4, T::S16, 10),        Scalar("Lit43L", 6, T::S16, 43),
    Array("OilCalibrResArr", 8, T::S16, 7), Array("OilCalibrLitArr", 22, T::S16, 7),
    Scalar("OilCalibrQuant", 36, T::U8, 7), Scalar("TankMode", 37, T::U8),
    Scalar("TankMeth", 38, T::U8),          Scalar("K100Manual", 42, T::U16),
    Scalar("TankContFull", 44, T::U16, 50), Scalar("LinkDropouts", 46, T::U16),
    Scalar("GazContFull", 56, T::U16, 50),
};

// A new tank table holds 15 evenly spaced points.
constexpr std::int64_t TarirLitDefault(std::size_t i) {
  return i < 15 ? 16 + 3 * static_cast<std::int64_t>(i) : 0;
}
constexpr std::int64_t TarirResDefault(std::size_t i) {
  return i < 15 ? 50 * static_cast<std::int64_t>(i) : 0;
}

constexpr FieldDef kTankCalibration[] = {
    Scalar("TarirHeader", 0, T::U8),
    Scalar("TarirFlagFinish", 1, T::U8, 1),
    Scalar("TarirLeng", 2, T::U8, 15),
    Scalar("TarirInverse", 6, T::U8),
    Scalar("TarirIncline", 7, T::U8),
    Array("TarirLit", 8, T::U8, 68).Rule(TarirLitDefault),
    Array("TarirRes", 144, T::S16, 68).Rule(TarirResDefault),
};

constexpr FieldDef kService[] = {
    Scalar("AirFiltCntK", 0, T::U8, 15),
    Scalar("KPPOilCntK", 1, T::U8, 45),
    Scalar("ForsTOCntK", 2, T::U8, 30),
    Scalar("GRMStrapCntK", 3, T::U8, 45),
    Scalar("CoolLiqCntK", 4, T::U8, 30),
    Scalar("EngOilCntK", 5, T::U8, 15),
    Scalar("CandleCntK", 6, T::U8, 30),
    Scalar("UseUniMeas", 7, T::U8, 1),
    Scalar("TO", 8, T::U32, 4392),
    Scalar("OSAGO", 12, T::U32, 4392),
    Raw("BlocksMask", 20, 1, 32),
    Scalar("UniMeasADC0", 52, T::U16),
    Scalar("UniMeasADC1", 54, T::U16, 1023),
    Scalar("UniMeasDat0", 56, T::U16),
    Scalar("UniMeasDat1", 58, T::U16, 90),
    Text("UniMeasStr", 60, 7, "Трим"),
    Scalar("AirWaterShow", 67, T::U8),
    Text("ForsTOCntKText", 68, 16, "ТО форсунки"),
    Text("GRMStrapCntKText", 84, 16, "Замена рем.ГРМ"),
    Text("CandleCntKText", 100, 16, "Замена свечей"),
    Scalar("ServiceFlags", 116, T::U16, 511),
};

constexpr FieldDef kLimits[] = {
    Scalar("VelocityLimit", 0, T::U8, 40),
    Scalar("RevolutionsLimit", 1, T::U8, 80),
    Scalar("TankLimit", 2, T::U8, 10),
    Scalar("TimeCorr", 3, T::S8),
    Scalar("LiqTemperLimit", 4, T::U16, 115),
    Scalar("UaccLowLimit", 6, T::U16, 115),
    Scalar("StopVelocityLimit", 8, T::U16, 20),
    Scalar("UaccHighLimit", 10, T::U16, 155),
    Scalar("VentTempLimit", 12, T::U16, 115),
    Scalar("GasMeth", 14, T::U8),
    Scalar("AirTemperMeth", 15, T::U8),
    Scalar("PrognozMeth", 16, T::U8),
    Scalar("VelocityMeth", 17, T::U8),
    Scalar("ExpenseMeth", 18, T::U8),
    Scalar("RevolutionsMeth", 19, T::U8),
    Scalar("ForsPosFlag", 20, T::U8, 1),
    Scalar("ForsCoef", 21, T::U8, 1),
    Scalar("InjTimeLimit", 22, T::U8, 9),
    Scalar("AirTemperCorr", 23, T::S8),
    Scalar("Vel100", 28, T::U16, 100),
    Scalar("Vel100Down", 30, T::U16, 100),
    Float("ExpenseCorr", 32, 1.0),
    Float("VelocityCorr", 36, 1.0),
    Scalar("AccCorr", 40, T::S8),
    Scalar("LiqTemperReady", 41, T::U8, 70),
    Scalar("HybridCoolHVB", 45, T::U8),
    Scalar("Exp100ArrowLim", 46, T::U8),
    Scalar("VAGSFilterLimit", 47, T::U8, 25),
    Float("GazExpenseCorr", 48, 1.0),
    Scalar("OilAKPPTemperLimit", 52, T::U16, 110),
    Scalar("OilEngTemperLimit", 54, T::U16, 110),
    Scalar("CVTFDeteriorLim", 56, T::U16, 30),
    Scalar("UaccMeth", 58, T::U8),
    Scalar("InvTemperLimit", 59, T::U8, 120),
    Scalar("RetarderOilTemperLimit", 60, T::U16, 165),
    Scalar("HVBTemperLimit", 62, T::U8, 120),
    Scalar("AddCoolingTemper", 63, T::U8),
};

constexpr FieldDef kJournals[] = {
    Scalar("PriceExpense", 0, T::S16, 250), Scalar("PriceTime", 2, T::S16),
    Scalar("PricePath", 4, T::S16, 30),     Scalar("PriceGas", 6, T::S16),
    Scalar("TripShowFlag", 8, T::U8),       Scalar("TripJournAuto", 9, T::U8),
    Scalar("TripMinStop", 10, T::U16),      Raw("TripJournal", 16, 21, 20),
    Raw("TankJournal", 436, 21, 20),
};

constexpr FieldDef kAlarmStyles[] = {
    Array("AlarmModes", 0, T::U8, 24),
    Scalar("AlarmVelSecNoSayMax", 27, T::U8),
};

constexpr std::int64_t kDisp4Default[] = {4, 14, 8, 9, 13, 10, 11, 4,  1,  2,  5,  9,
                                          7, 12, 3, 6, 7,  10, 8,  12, 18, 25, 27, 21};
constexpr std::int64_t kDisp7Default[] = {1,  2, 8, 9,  14, 5, 12, 13, 10, 11, 6, 15, 5, 12,
                                          16, 8, 9, 10, 14, 5, 12, 7,  3,  13, 2, 14, 5, 9};
constexpr std::int64_t kGraphDefault[] = {13, 10, 12, 14, 24, 17, 20, 18,
                                          20, 22, 13, 16, 13, 0,  20, 21};
constexpr std::int64_t kArrowDefault[] = {13, 10, 14, 12, 11, 17, 20, 25,
                                          20, 16, 13, 16, 13, 12, 20, 21};
constexpr std::int64_t kDisp9Default[] = {14, 5, 12, 1,  2, 6, 10, 8, 9,  11, 24, 13, 23, 18,
                                          17, 7, 19, 22, 1, 2, 3,  5, 14, 6,  20, 24, 25};
constexpr std::int64_t kShowDisp1Default[] = {0xFFFFFFFF, 0};
constexpr std::int64_t kDisp6Default[] = {12, 17, 13, 10, 8, 9};

constexpr FieldDef kDisplay[] = {
    Scalar("DispVar4", 9, T::U8),
    Scalar("DispVar9", 10, T::U8),
    Grid("Disp4Params", 12, T::U8, 6, 4).Defaults(kDisp4Default),
    Grid("Disp7Params", 36, T::U8, 4, 7).Defaults(kDisp7Default),
    Grid("GraphParams", 64, T::U8, 8, 2).Defaults(kGraphDefault),
    Grid("ArrowParams", 80, T::U8, 8, 2).Defaults(kArrowDefault),
    Grid("Disp9Params", 96, T::U8, 3, 9).Defaults(kDisp9Default),
    Scalar("DispSpeed", 123, T::U8),
    Grid("HotMenu", 124, T::U16, 4, 10),
    Raw("ColorSet", 248, 2, 56),
    Scalar("ActiveColorScheme", 360, T::U8, 1),
    Scalar("SayHelloMode", 361, T::U8),
    Scalar("SoundVolume", 362, T::U8),
    Scalar("FlagSound", 363, T::U8),
    Scalar("Intense0", 364, T::U8),
    Scalar("Intense1", 365, T::U8),
    Scalar("SayEconomPeriod", 366, T::U8),
    Scalar("SayParamPeriod", 367, T::U8),
    Scalar("DispShowTitle", 370, T::U8),
    Scalar("IntenseMeth", 372, T::U8),
    Scalar("SoundKeys", 373, T::U8),
    Scalar("SoundLock", 374, T::U8),
    Scalar("ShowDispName", 375, T::U8),
    Scalar("IntenseDayTime", 376, T::U16),
    Scalar("IntenseNightTime", 378, T::U16),
    Scalar("ShowDisp4", 380, T::U16, 63),
    Scalar("ShowDisp9", 382, T::U16, 7),
    Scalar("ShowDisp7", 384, T::U16, 15),
    Scalar("ShowDispG", 386, T::U16, 255),
    Scalar("ShowDispA", 388, T::U16, 255),
    Scalar("ShowDispS", 390, T::U16, 511),
    Array("ShowDisp1", 392, T::U32, 2).Defaults(kShowDisp1Default),
    Array("Disp6Params", 400, T::U8, 6).Defaults(kDisp6Default),
    Scalar("ShowDisp6", 406, T::U16, 1),
};

constexpr FieldDef kServiceInfo[] = {
    Scalar("ConfigFlags", 0, T::U32),       Scalar("Protocol", 4, T::U16),
    Scalar("ProtocolSelectMeth", 8, T::U8), Scalar("EcuAddress", 9, T::U8),
    Scalar("VirtualExpense", 10, T::U8),    Scalar("LockTypeLevel", 11, T::U8),
    Scalar("ProtTypeMain", 12, T::U8),      Scalar("ProtTypeAdd1", 13, T::U8),
    Scalar("ProtTypeAdd2", 14, T::U8),      Scalar("ProtTypeAdd3", 15, T::U8),
    Scalar("PidsConsult", 16, T::U16),      Scalar("ThrottleStart", 18, T::S16),
    Array("Pids", 20, T::U16BE, 16),        Scalar("ProtTypeAdd4", 52, T::U8),
    Scalar("ProtTypeAdd5", 53, T::U8),      Scalar("ProtTypeAdd6", 54, T::U8),
    Scalar("ProtTypeAdd7", 55, T::U8),
};

constexpr FieldDef kErrorJournal[] = {
    Raw("PidMap", 4, 1, 12),
    Raw("ErrorRecords", 16, 7, 92),
};

constexpr FieldDef kCargo[] = {
    Scalar("TareWeight", 0, T::U16, 100),
    Scalar("CargoDens", 2, T::U16, 200),
};

// Block 8 is carried as it stands: its record has no fields.
const BlockDef kBlocks[] = {
    {1, "Totals", 164, kTotals},
    {2, "Parking", 28, kParking},
    {3, "FuelSensor", 64, kFuelSensor},
    {4, "TankCalibration", 420, kTankCalibration},
    {5, "Service", 124, kService},
    {6, "Limits", 68, kLimits},
    {7, "Journals", 860, kJournals},
    {8, "Block8", 80, {}},
    {9, "AlarmStyles", 32, kAlarmStyles},
    {10, "Display", 412, kDisplay},
    {11, "ServiceInfo", 60, kServiceInfo},
    {13, "ErrorJournal", 664, kErrorJournal},
    {14, "Cargo", 232, kCargo},
};

}  // namespace

const BlockDef& BlockDefOf(BlockId block) {
  for (const BlockDef& def : kBlocks) {
    if (def.number == static_cast<int>(block)) return def;
  }
  return kBlocks[0];  // unreachable: every BlockId has a table
}

std::span<const BlockDef> AllBlockDefs() {
  return kBlocks;
}

const BlockDef* FindBlock(std::string_view name) {
  for (const BlockDef& def : kBlocks) {
    if (def.name == name) return &def;
  }
  return nullptr;
}

std::string NotStoredMessage(std::string_view name) {
  return "Настройка «" + std::string(name) + "» не хранится в файле настроек.";
}

}  // namespace mk::device
