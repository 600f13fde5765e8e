// SPDX-License-Identifier: GPL-3.0-or-later
// Lists and visibility that follow the variant and the selected protocol entry.
#include "settings/lists.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "settings/setting_table.h"
#include "settings/setting_value.h"
#include "settings_env.h"
#include "text/error.h"

namespace mk::settings {
namespace {

using catalog::Feature;
using catalog::Features;
using device::BlockId;
using Strings = std::vector<std::string>;

TEST(ProtocolSelectItems, FollowTheAutomaticMethodsOfTheVariant) {
  EXPECT_EQ(ProtocolSelectItems({}), (Strings{"Авт.", "Руч."}));
  EXPECT_EQ(ProtocolSelectItems({Feature::HasAutoOBD}), (Strings{"Авт.", "АвтOBD", "Руч."}));
  EXPECT_EQ(ProtocolSelectItems({Feature::IsVAG}), (Strings{"Авт.", "АвтVAG", "Руч."}));
  EXPECT_EQ(ProtocolSelectItems({Feature::IsVAG, Feature::NoAutoVAG}), (Strings{"Авт.", "Руч."}));
  EXPECT_EQ(ProtocolSelectItems({Feature::HasAutoOBD, Feature::IsVAG, Feature::HasAutoOpel}),
            (Strings{"Авт.", "АвтOBD", "АвтVAG", "АвтOpl", "Руч."}));
}

TEST(TankMethItems, GrowWithTheEcuSensorsAndLoseTheSensorWithoutOne) {
  catalog::TProtBase entry("x", {}, {}, 0, 0, {});
  Env env;
  env.protocol = &entry;
  const Strings base = {"Расчетный", "ДУТ"};
  EXPECT_EQ(TankMethItems(env), base);
  entry.Capabilities.EcuLevelSensors = 3;
  EXPECT_EQ(TankMethItems(env), (Strings{"Расчетный", "ДУТ", "ДУТ ЭБУ", "ДУТ ЭБУ2", "ДУТ ЭБУ3"}));
  entry.Capabilities.EcuLevelSensors = 1;
  env.features = {Feature::NoTankSensor};
  EXPECT_EQ(TankMethItems(env), (Strings{"Расчетный", "ДУТ ЭБУ"}));
  env.protocol = nullptr;
  EXPECT_EQ(TankMethItems(env), (Strings{"Расчетный"}));
}

TEST(TankMethItems, AStoredMethodPastTheListIsOutOfRangeAndStays) {
  device::TMK mk;
  test::UseVariant(mk, 5, 0);  // NoTankSensor
  mk.Rec(BlockId::FuelSensor).SetInt("TankMeth", 3);
  const Setting& s = *FindSetting("cbTankMeth");
  EXPECT_EQ(ShowIndex(s, mk, Env::Of(mk)), -1);
  EXPECT_TRUE(OutOfRange(s, mk, Env::Of(mk)));
  EXPECT_EQ(mk.Rec(BlockId::FuelSensor).GetInt("TankMeth"), 3);
}

TEST(SelectProtocol, AnotherEntryClearsTheSubTypesAndRebuilds) {
  device::TMK mk;
  test::UseVariant(mk, 99, 0);
  auto& info = mk.Rec(BlockId::ServiceInfo);
  info.SetInt("ProtTypeMain", 2);
  info.SetInt("ProtTypeAdd7", 5);
  EXPECT_FALSE(SelectProtocol(mk, info.GetInt("Protocol")));
  EXPECT_EQ(info.GetInt("ProtTypeMain"), 2);
  ASSERT_TRUE(SelectProtocol(mk, 3));
  EXPECT_EQ(info.GetInt("Protocol"), 3);
  EXPECT_EQ(info.GetInt("ProtTypeMain"), 0);
  EXPECT_EQ(info.GetInt("ProtTypeAdd7"), 0);
  EXPECT_EQ(mk.Catalogues().Protocols().CurrentIndex(), 3);
}

TEST(Blocks, ShowChoicesSetClearOrKeepTheOfferedBlocks) {
  device::TMK mk;
  test::UseVariant(mk, 99, 0);
  ASSERT_TRUE(test::UseProtocol(mk, [](const auto& p) { return p.Blocks.empty(); }));
  const Env env = Env::Of(mk);
  const auto offered = AllBlocks(env);
  ASSERT_FALSE(offered.empty());
  ApplyBlocksShow(mk, env, 0);
  EXPECT_EQ(UsedBlocks(mk, env).size(), offered.size());
  SetBlockUsed(mk, offered[0].number, false);
  ApplyBlocksShow(mk, env, 2);
  EXPECT_EQ(UsedBlocks(mk, env).size(), offered.size() - 1);
  ApplyBlocksShow(mk, env, 1);  // the entry lists no blocks
  EXPECT_TRUE(UsedBlocks(mk, env).empty());
  EXPECT_EQ(mk.Rec(BlockId::Service).Element("BlocksMask")[0] & 3, 1);
}

TEST(Blocks, ProtocolChoiceSetsExactlyTheListedOnes) {
  device::TMK mk;
  test::UseVariant(mk, 99, 0);
  ASSERT_TRUE(test::UseProtocol(mk, [](const auto& p) { return !p.Blocks.empty(); }));
  const Env env = Env::Of(mk);
  ApplyBlocksShow(mk, env, 0);
  ApplyBlocksShow(mk, env, 1);
  for (const auto& block : AllBlocks(env)) {
    const bool listed =
        std::ranges::find(env.protocol->Blocks, block.number) != env.protocol->Blocks.end();
    EXPECT_EQ(BlockUsed(mk, block.number), listed) << int(block.number);
  }
}

struct VisibilityCase {
  const char* name;
  const char* control;
  Features features;
  bool shown;
};

class VisibilityByFlags : public ::testing::TestWithParam<VisibilityCase> {};

TEST_P(VisibilityByFlags, FollowsTheVariantTable) {
  device::TMK mk;
  mk.Rec(BlockId::ServiceInfo).SetInt("ConfigFlags", 1);  // the virtual lock's level is shown
  Env env = Env::Of(mk);
  env.features = GetParam().features;
  EXPECT_EQ(Visible(*FindSetting(GetParam().control), mk, env), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, VisibilityByFlags,
    ::testing::Values(
        VisibilityCase{"GasSourceWithGas", "rgGasMeth", {}, true},
        VisibilityCase{"GasSourceNoGas", "rgGasMeth", {Feature::NoGas}, false},
        VisibilityCase{"GasSourceNoSensorInputs", "rgGasMeth", {Feature::NoSensorInputs}, false},
        VisibilityCase{"GasTankNoGas", "seGazContFull", {Feature::NoGas}, false},
        VisibilityCase{"GasPriceNoGas", "sePriceGas", {Feature::NoGas}, false},
        VisibilityCase{"GasResetNoGas", "cbResetPeriodOnly", {Feature::NoGas}, false},
        VisibilityCase{"GasOilModeNoGas", "cbGasOil", {Feature::NoGas}, false},
        VisibilityCase{"Tank2WithoutFlag", "cbUseTank2", {}, false},
        VisibilityCase{"Tank2WithFlag", "cbUseTank2", {Feature::HasTank2}, true},
        VisibilityCase{"LockLevelNoLockType", "seLockTypeLevel", {Feature::NoLockType}, false},
        VisibilityCase{"LockLevelVirtualLock", "seLockTypeLevel", {}, true},
        VisibilityCase{"ParkTypeFixed", "rgParkType", {Feature::ParkTypeFixedB}, false},
        VisibilityCase{"ParkingPageGone", "seParkSense0", {Feature::NoParkSensors}, false},
        VisibilityCase{"VolumeNoVoice", "seSoundVolume", {Feature::NoVoice}, false},
        VisibilityCase{"SootVoiceVag", "rgapSFilter_F", {Feature::IsVAG}, true},
        VisibilityCase{"SootVoiceNotVag", "rgapSFilter_F", {}, false},
        VisibilityCase{"IceVoiceNoAir", "rgapHolo_N", {Feature::NoAirTemper}, false},
        VisibilityCase{"InsuranceServiceKm", "deOSAGO", {Feature::ServiceKm}, false},
        VisibilityCase{"ServiceDateServiceKm", "deTO", {Feature::ServiceKm}, true},
        VisibilityCase{"AirFilterServiceKm", "seAirFiltCntK", {Feature::ServiceKm}, true},
        VisibilityCase{"OilCounterServiceKm", "seEngOilCntK", {Feature::ServiceKm}, false},
        VisibilityCase{"BatteryModeIs24V", "rg24VMode", {Feature::Is24V}, true},
        VisibilityCase{"BatteryMode12V", "rg24VMode", {}, false},
        VisibilityCase{"TemperatureCaptionUniMeas", "rgAirWaterShow", {Feature::HasUniMeas}, true},
        VisibilityCase{"UniversalInputPage", "seUniMeasADC0", {}, false}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(VisibilityByProtocol, FeaturesOfTheEntryShowTheirControls) {
  device::TMK mk;
  catalog::TProtBase entry("x", {}, {}, 0, 0, {});
  Env env = Env::Of(mk);
  env.features = {};
  env.protocol = &entry;
  const auto shown = [&](const char* name) { return Visible(*FindSetting(name), mk, env); };
  EXPECT_TRUE(shown("seLiqTemperLimit"));
  EXPECT_FALSE(shown("seVentTempLimit"));
  EXPECT_FALSE(shown("seInvTemperLimit"));
  EXPECT_FALSE(shown("rgGabarType"));
  EXPECT_TRUE(shown("rgGabarInvPol"));
  entry.Capabilities.CoolantTemperature = false;
  entry.Capabilities.HybridDrive = true;
  entry.Capabilities.SideLightsFromEcu = true;
  EXPECT_FALSE(shown("seLiqTemperLimit"));
  EXPECT_FALSE(shown("rgapLiqTempHigh_F"));
  EXPECT_TRUE(shown("seVentTempLimit"));
  EXPECT_EQ(ShapeOf(*FindSetting("seVentTempLimit"), env).max, 60);
  EXPECT_TRUE(shown("rgapInvTemperHigh_N"));
  EXPECT_FALSE(shown("seAddCoolingTemper"));
  EXPECT_TRUE(shown("rgGabarType"));
  mk.Rec(BlockId::ServiceInfo).SetInt("ConfigFlags", 32);  // side lights from the ECU
  EXPECT_FALSE(shown("rgGabarInvPol"));
  env.features = {Feature::FixedGabarInput};
  EXPECT_FALSE(shown("rgGabarType"));
  entry.Capabilities.VehicleClass = 14;
  EXPECT_FALSE(shown("seTareWeight"));
  env.features = {Feature::HasCargo, Feature::HasTruckOptions};
  EXPECT_TRUE(shown("seTareWeight"));
  EXPECT_TRUE(shown("rgapCVTFDeterior_F"));
  EXPECT_FALSE(shown("seCVTFDeteriorLim"));
}

TEST(VisibilityByOtherControls, ManualProtocolAndInjectorSources) {
  device::TMK mk;
  Env env = Env::Of(mk);
  env.features = {Feature::HasAutoOBD};
  auto& info = mk.Rec(BlockId::ServiceInfo);
  const auto shown = [&](const char* name) { return Visible(*FindSetting(name), mk, env); };
  info.SetInt("ProtocolSelectMeth", 1);  // "АвтOBD"
  EXPECT_FALSE(shown("cbProtocol"));
  info.SetInt("ProtocolSelectMeth", 2);  // "Руч."
  EXPECT_TRUE(shown("cbProtocol"));
  EXPECT_FALSE(shown("rgForsCoef"));
  mk.Rec(BlockId::Limits).SetInt("GasMeth", 1);
  EXPECT_TRUE(shown("rgForsCoef"));
  EXPECT_TRUE(shown("rgForsPosFlag"));
}

TEST(Shapes, TheVariantChangesRangesAndCaptions) {
  Env env;
  const Setting& low = *FindSetting("seUaccLowLimit");
  const Setting& air = *FindSetting("seAirFiltCntK");
  EXPECT_EQ(ShapeOf(low, env).min, 9.0);
  EXPECT_EQ(ShapeOf(air, env).caption, "Замена.возд.ф.");
  env.features = {Feature::Is24V, Feature::ServiceKm};
  EXPECT_EQ(ShapeOf(low, env).min, 18.0);
  EXPECT_EQ(ShapeOf(low, env).max, 27.8);
  EXPECT_EQ(ShapeOf(*FindSetting("seUaccHighLimit"), env).max, 32.0);
  EXPECT_EQ(ShapeOf(air, env).caption, "ТО тыс.км");
  device::TMK mk;
  CommitNumber(air, mk, env, 9.9);
  EXPECT_EQ(mk.Rec(BlockId::Service).GetInt("AirFiltCntK"), 99);
  EXPECT_THROW(CommitNumber(air, mk, env, 10), RangeError);
}

TEST(Items, NoVoiceTakesChoicesAway) {
  Env env;
  const Setting& sound = *FindSetting("rgFlagSound");
  const Setting& mode = *FindSetting("rgapVel_F");
  EXPECT_EQ(ItemsOf(sound, env).size(), 4u);
  EXPECT_TRUE(ItemEnabled(mode, env, 4));
  env.features = {Feature::NoVoice, Feature::NoSensorInputs};
  EXPECT_EQ(ItemsOf(sound, env), (Strings{"Да", "Нет", "Замок"}));
  EXPECT_FALSE(ItemEnabled(mode, env, 3));
  EXPECT_FALSE(ItemEnabled(mode, env, 4));
  EXPECT_FALSE(ItemEnabled(*FindSetting("rgIntenseMeth"), env, 2));
  device::TMK mk;
  EXPECT_THROW(CommitIndex(mode, mk, env, 4), RangeError);
}

}  // namespace
}  // namespace mk::settings
