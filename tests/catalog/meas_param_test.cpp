// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/meas_param.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>

#include "catalog/protocol.h"

namespace mk::catalog {
namespace {

MeasParamCatalogue Built(bool lights_on_menu = false, bool dipped_beam = false) {
  MeasParamCatalogue c;
  c.Build(lights_on_menu, dipped_beam);
  return c;
}

TEST(MeasParamTest, RangeTextsUseTheGivenSeparatorAndSamplesAFullStop) {
  auto c = Built();
  const TMeasParBase* uoz = c.FindByCode(25);
  ASSERT_NE(uoz, nullptr);
  EXPECT_EQ(uoz->ClassName, "TUOZ");
  EXPECT_EQ(uoz->SampleText, " 10.0");
  c.PrepareData(",");
  EXPECT_EQ(uoz->MinText, "-84,0");
  EXPECT_EQ(uoz->MaxText, "84,0");
  EXPECT_EQ(uoz->SampleText, " 10.0");  // previews keep the full stop

  const TMeasParBase* hvb_current = c.FindByCode(53);  // -2000 .. 2000, one decimal
  EXPECT_EQ(hvb_current->MinText, "-200,0");
  EXPECT_EQ(hvb_current->SampleText, "   40");  // integers never get decimals
  EXPECT_EQ(c.FindByCode(12)->MaxText, "160");
}

TEST(MeasParamTest, SampleTexts) {
  const auto c = Built();
  EXPECT_EQ(c.FindByCode(12)->SampleText, " 60");
  EXPECT_EQ(c.FindByCode(13)->SampleText, "2000");
  EXPECT_EQ(c.FindByCode(16)->SampleText, "5.00");  // three characters wide: no padding
  EXPECT_EQ(c.FindByCode(15)->SampleText, "  100");
  EXPECT_EQ(c.FindByCode(45)->SampleText, "-20");
  EXPECT_EQ(c.FindByCode(28)->SampleText, "1.00");
  EXPECT_EQ(c.FindByCode(7)->SampleText, "15:30");
  EXPECT_EQ(c.FindByCode(1)->SampleText, " 1:15");
  EXPECT_EQ(c.FindByCode(5)->SampleText, "23.45");
  EXPECT_EQ(c.FindByCode(42)->SampleText, "10000");
}

TEST(MeasParamTest, TextsWithLatinLettersAreKeptByteForByte) {
  const auto c = Built();
  EXPECT_EQ(c.FindByCode(11)->ShortName, "T\u0432\u043e\u0437\u0434");               // Latin T
  EXPECT_EQ(c.FindByCode(42)->Name, "\u041c\u043e\u0442\u043e\u0447\u0430c\u044b");  // Latin c
  EXPECT_EQ(c.FindByCode(41)->LongName, "P.\u043c\u0430\u0441\u043b\u0430,\u043a\u041f\u0430");
  EXPECT_EQ(c.FindByCode(53)->Unit, "A");
  EXPECT_EQ(c.FindByCode(13)->Unit3, "x1000");
}

TEST(MeasParamTest, MomentaryExpenseSwitchesToTheWideRangeOnPrepare) {
  auto c = Built();
  const TMeasParBase* p = c.FindByCode(14);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->ClassName, "TMomentaryExpenseK");
  EXPECT_TRUE(p->HasAltScale);
  EXPECT_FALSE(p->AltScale);
  EXPECT_EQ(p->MinValue, 0);
  EXPECT_EQ(p->MaxValue, 240);
  EXPECT_EQ(p->ScaleMax, 24);
  c.PrepareData(".");
  c.PrepareData(".");  // twice changes nothing
  EXPECT_TRUE(p->AltScale);
  EXPECT_EQ(p->MaxValue, 800);
  EXPECT_EQ(p->ScaleMin, 0);
  EXPECT_EQ(p->ScaleMax, 80);
  EXPECT_EQ(p->MaxText, "80.0");
  // No other parameter has a wider range.
  for (const auto& q : c.Items()) EXPECT_EQ(q.HasAltScale, q.Code == 14) << q.ClassName;
}

TEST(MeasParamTest, Codes11And34FollowTheLightsCapabilities) {
  struct Case {
    bool lights_on_menu, dipped_beam;
    const char* code11;
    bool has34;
  } cases[] = {{true, true, "TLightsFlag", false},
               {false, true, "TTemperAir", true},
               {true, false, "TTemperAir", false},
               {false, false, "TTemperAir", false}};
  for (const auto& k : cases) {
    const auto c = Built(k.lights_on_menu, k.dipped_beam);
    SCOPED_TRACE(k.code11);
    ASSERT_NE(c.FindByCode(11), nullptr);
    EXPECT_EQ(c.FindByCode(11)->ClassName, k.code11);
    EXPECT_EQ(c.FindByCode(34) != nullptr, k.has34);
    EXPECT_EQ(c.Items().size(), 54u + (k.has34 ? 1 : 0));
  }
}

TEST(MeasParamTest, BuildOrderAndUniqueCodes) {
  const auto c = Built(false, true);
  ASSERT_EQ(c.Items().size(), 55u);
  EXPECT_EQ(c.Items()[0].ClassName, "TVelocity");
  EXPECT_EQ(c.Items()[9].ClassName, "TTemperAir");
  EXPECT_EQ(c.Items()[32].ClassName, "TDDK");
  EXPECT_EQ(c.Items()[33].ClassName, "TLightsFlag1");
  EXPECT_EQ(c.Items().back().ClassName, "TSideAngle");
  std::set<int> codes;
  for (const auto& p : c.Items()) EXPECT_TRUE(codes.insert(p.Code).second) << p.ClassName;
  EXPECT_EQ(c.FindByCode(40), nullptr);  // listed by protocols, never shown
  EXPECT_EQ(c.FindByCode(0), nullptr);
}

TEST(MeasParamTest, BarLengthIsClampedAndSurvivesAnEmptyRange) {
  const auto c = Built();
  const TMeasParBase& v = *c.FindByCode(12);  // 0 .. 160
  EXPECT_EQ(BarLength(v, 100, 200), 100);
  EXPECT_EQ(BarLength(v, 100, -5), 0);
  EXPECT_EQ(BarLength(v, 100, 80), 50);
  EXPECT_EQ(BarLength(v, 100, 159), 99);        // integer division rounds down
  const TMeasParBase& uoz = *c.FindByCode(25);  // -840 .. 840
  EXPECT_EQ(BarLength(uoz, 10, 0), 5);
  TMeasParBase flat;
  flat.MinValue = flat.MaxValue = 7;
  EXPECT_EQ(BarLength(flat, 100, 7), 0);
  TMeasParBase wide;
  wide.MinValue = INT32_MIN;
  wide.MaxValue = INT32_MAX;
  EXPECT_EQ(BarLength(wide, 1000, INT32_MAX), 1000);  // no overflow
}

TEST(MeasParamTest, FormatFixed) {
  EXPECT_EQ(FormatFixed(5, 2, ","), "0,05");
  EXPECT_EQ(FormatFixed(-5, 2, ","), "-0,05");
  EXPECT_EQ(FormatFixed(-840, 0, ","), "-840");
  EXPECT_EQ(FormatFixed(INT32_MIN, 1, "."), "-214748364.8");
}

TEST(MeasParamTest, ChoiceMenusFollowTheProtocolOrderAndFilter) {
  const auto c = Built();
  const TProtBase prot("x", {}, {20, 17, 99, 45}, 0, 1, {});
  const auto all = c.ChoiceMenu(prot, ChoiceKind::All, 17);
  ASSERT_EQ(all.size(), 16u + 3u);  // 99 is unknown and skipped
  EXPECT_EQ(all[0].code, 1);
  EXPECT_EQ(all[16].code, 20);
  EXPECT_EQ(all[17].name, "\u0422\u041e\u0416 \u0434\u0432\u0438\u0433");
  EXPECT_TRUE(all[17].checked);
  int checked = 0;
  for (const auto& i : all) checked += i.checked;
  EXPECT_EQ(checked, 1);

  for (const auto& i : c.ChoiceMenu(prot, ChoiceKind::Graph, 0)) {
    EXPECT_TRUE(c.FindByCode(i.code)->GraphCapable);
  }
  const auto g1 = c.ChoiceMenu(prot, ChoiceKind::Gauge1, 0);
  const auto g2 = c.ChoiceMenu(prot, ChoiceKind::Gauge2, 0);
  ASSERT_FALSE(g1.empty());
  EXPECT_EQ(g1[0].code, 11);  // air temperature
  for (const auto& i : g2) EXPECT_EQ(c.FindByCode(i.code)->GaugeKind, 2);
  EXPECT_EQ(g2.back().code, 17);
}

}  // namespace
}  // namespace mk::catalog
