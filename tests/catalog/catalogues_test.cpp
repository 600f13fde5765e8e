// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/catalogues.h"

#include <gtest/gtest.h>

#include <set>

namespace mk::catalog {
namespace {

TEST(CataloguesTest, NewDeviceModelStateIsASensibleRow) {
  const Catalogues c;
  EXPECT_TRUE(c.Variant().known);
  EXPECT_EQ(c.Variant().device_version, 1);
  EXPECT_FALSE(c.ProjectName().empty());
  ASSERT_NE(c.CurrentProtocol(), nullptr);
  EXPECT_EQ(c.CurrentProtocol()->Name, "M74CAN");
  EXPECT_FALSE(c.Protocols().Items().empty());
  EXPECT_EQ(c.Params().FindByCode(11)->ClassName, "TTemperAir");
  EXPECT_NE(c.Menu().FindMenuItemByName("VirtLockMenu"), nullptr);
  EXPECT_EQ(c.DefaultHotMenus()[0][0], 2);
}

TEST(CataloguesTest, UnknownModelIsPermissive) {
  Catalogues c;
  c.Rebuild(4321, 0, 77);
  EXPECT_FALSE(c.Variant().known);
  EXPECT_TRUE(c.OscilloscopeSupported());
  EXPECT_EQ(c.Protocols().Items().size(), 94u);
  EXPECT_EQ(c.Menu().Items().size(), 171u);   // nothing taken away
  EXPECT_EQ(c.Params().Items().size(), 55u);  // air temperature and the dipped-beam flag
  for (Feature f : {Feature::NoParkSensors, Feature::NoGas, Feature::NoVoice, Feature::NoAirTemper,
                    Feature::NoX7Displays, Feature::HasX3Displays, Feature::ServiceKm}) {
    EXPECT_FALSE(c.Has(f)) << FeatureName(f);
  }
  // A known model with an unknown variant is permissive too.
  c.Rebuild(1, 0, 200);
  EXPECT_FALSE(c.Variant().known);
}

TEST(CataloguesTest, EveryRowOfTheTableBuilds) {
  std::set<std::pair<int, int>> keys;
  for (const VariantInfo& v : VariantTable()) {
    SCOPED_TRACE(std::string(v.project));
    EXPECT_TRUE(keys.insert({v.device_version, v.firmware_variant}).second);
    Catalogues c;
    c.Rebuild(v.device_version, 0, v.firmware_variant);
    EXPECT_TRUE(c.Variant().known);
    EXPECT_EQ(c.ProjectName(), v.project);
    EXPECT_FALSE(c.Protocols().Items().empty());
    EXPECT_EQ(c.Protocols().Items().back().ProtocolCode, 255);  // always a way out
    EXPECT_FALSE(c.Has(Feature::HasX3Displays) && c.Has(Feature::NoX7Displays));
    EXPECT_FALSE(c.Has(Feature::ParkTypeFixedA) && c.Has(Feature::ParkTypeFixedB));
  }
  EXPECT_GE(keys.size(), 10u);
}

TEST(CataloguesTest, RebuildProtocolsLeavesTheOthersAlone) {
  Catalogues c;
  c.Rebuild(3, 0, 0);  // truck: cargo items
  ASSERT_NE(c.Menu().FindMenuItemByName("TareWeightMenu"), nullptr);
  c.RebuildProtocols(5, 0, 0);
  EXPECT_FALSE(c.OscilloscopeSupported());
  EXPECT_NE(c.Menu().FindMenuItemByName("TareWeightMenu"), nullptr);
  c.Rebuild(5, 0, 0);
  EXPECT_EQ(c.Menu().FindMenuItemByName("TareWeightMenu"), nullptr);
  EXPECT_EQ(c.Menu().FindMenuItemByName("SoundVolumeMenu"), nullptr);  // no voice
}

TEST(CataloguesTest, LightsVariantsChangeCode11) {
  Catalogues c;
  c.Rebuild(1, 0, 2);  // lights-on menu and dipped beam
  EXPECT_EQ(c.Params().FindByCode(11)->ClassName, "TLightsFlag");
  EXPECT_EQ(c.Params().FindByCode(34), nullptr);
  c.Rebuild(1, 0, 0);
  EXPECT_EQ(c.Params().FindByCode(11)->ClassName, "TTemperAir");
  EXPECT_EQ(c.Params().FindByCode(34)->ClassName, "TLightsFlag1");
}

TEST(CataloguesTest, OutOfRangeProtocolIndexLeavesNoCurrentProtocol) {
  Catalogues c;
  c.Rebuild(3, 255, 0);
  EXPECT_EQ(c.CurrentProtocol(), nullptr);
  EXPECT_FALSE(c.Menu().Items().empty());
}

}  // namespace
}  // namespace mk::catalog
