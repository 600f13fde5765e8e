// SPDX-License-Identifier: GPL-3.0-or-later
// The accessor between controls and fields, on the Part's own cases.
#include "settings/setting_value.h"

#include <gtest/gtest.h>

#include <set>

#include "settings/conversions.h"
#include "settings/lists.h"
#include "settings/setting_table.h"
#include "settings_env.h"
#include "text/error.h"

namespace mk::settings {
namespace {

using device::BlockId;

class SettingValueTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseVariant(mk, 99, 0); }  // permissive: everything shown
  const Setting& S(const char* name) {
    const Setting* s = FindSetting(name);
    EXPECT_NE(s, nullptr) << name;
    return *s;
  }
  Env E() const { return Env::Of(mk); }
  std::int64_t Int(BlockId block, const char* field, std::size_t i = 0) {
    return mk.Rec(block).GetInt(field, i);
  }
  device::TMK mk;
};

TEST(SettingTable, EveryRowNamesAFieldOfItsBlockOnce) {
  std::set<std::string_view> names;
  for (const Setting& s : AllSettings()) {
    EXPECT_TRUE(names.insert(s.name).second) << s.name;
    EXPECT_NE(device::BlockDefOf(s.block).Find(s.field), nullptr) << s.name;
    if (s.kind == Kind::Spin) {
      EXPECT_LT(s.min, s.max) << s.name;
    }
    if ((s.kind == Kind::Radio || s.kind == Kind::Combo) && s.source == ItemSource::Fixed) {
      EXPECT_FALSE(s.items.empty()) << s.name;
    }
    // Rows that name other rows name ones that exist.
    for (std::string_view other : {s.check.differs_from, s.max_from}) {
      if (!other.empty()) {
        EXPECT_NE(FindSetting(other), nullptr) << s.name << " -> " << other;
      }
    }
  }
  for (const char* read_by_rules : {"rgLockType", "rgGabarType", "cbProtocolSelectMeth",
                                    "rgRevolutionsMeth", "rgGasMeth", "rgExpenseMeth"}) {
    EXPECT_NE(FindSetting(read_by_rules), nullptr) << read_by_rules;
  }
  EXPECT_GT(names.size(), 150u);
}

TEST_F(SettingValueTest, CorrectionFactorsShowWithTheNudge) {
  auto& rec = mk.Rec(BlockId::Limits);
  rec.SetFloat("VelocityCorr", 1.0);
  EXPECT_EQ(ShowAsText(S("seVelocityCorr"), mk, E()), "0.0");
  rec.SetFloat("VelocityCorr", 0.9999999);
  EXPECT_EQ(ShowAsText(S("seVelocityCorr"), mk, E()), "0.0");
  rec.SetFloat("VelocityCorr", 1.0015);
  EXPECT_EQ(ShowAsText(S("seVelocityCorr"), mk, E(), ','), "0,2");
  CommitNumber(S("seExpenseCorr"), mk, E(), -12.5);
  EXPECT_FLOAT_EQ(static_cast<float>(rec.GetFloat("ExpenseCorr")), 0.875f);
}

TEST_F(SettingValueTest, ScalesStoreRoundedHalfToEven) {
  CommitNumber(S("seVelocityLimit"), mk, E(), 120);
  EXPECT_EQ(Int(BlockId::Limits, "VelocityLimit"), 60);
  CommitNumber(S("seVelocityLimit"), mk, E(), 42);
  EXPECT_EQ(Int(BlockId::Limits, "VelocityLimit"), 21);
  CommitNumber(S("seAccCorr"), mk, E(), -0.7);
  EXPECT_EQ(Int(BlockId::Limits, "AccCorr"), -7);
  CommitNumber(S("seTripMinStop"), mk, E(), 995);
  EXPECT_EQ(Int(BlockId::Journals, "TripMinStop"), 199);
  CommitNumber(S("seTripMinStop"), mk, E(), 12.5);  // 2.5 -> 2
  EXPECT_EQ(Int(BlockId::Journals, "TripMinStop"), 2);
  CommitNumber(S("seParkStopLeng1"), mk, E(), 250);
  EXPECT_EQ(Int(BlockId::Parking, "ParkStopLeng1"), 25);
  EXPECT_DOUBLE_EQ(ShowNumber(S("seParkStopLeng1"), mk, E()), 250);
}

TEST_F(SettingValueTest, AValueOutsideTheRangeNamesTheSettingAndKeepsTheField) {
  const auto before = Int(BlockId::Limits, "VelocityLimit");
  try {
    CommitNumber(S("seVelocityLimit"), mk, E(), 202);
    FAIL() << "no range error";
  } catch (const RangeError& e) {
    EXPECT_STREQ(e.what(), "Значение настройки «Скорость, км/час» должно быть от 40 до 200.");
  }
  EXPECT_EQ(Int(BlockId::Limits, "VelocityLimit"), before);
  EXPECT_THROW(CommitNumber(S("seAccCorr"), mk, E(), 0.75), RangeError);
  EXPECT_NO_THROW(CommitNumber(S("seAccCorr"), mk, E(), 0.7));
}

// Shown is stored: a value outside its rule is reported with what is stored,
// never replaced by a valid one, and the record keeps it.
TEST_F(SettingValueTest, StoredValuesOutsideTheirRuleAreReportedAsStored) {
  struct Case {
    const char* name;
    BlockId block;
    const char* field;
    std::size_t index;
    std::int64_t raw;
    const char* stored;  // nullptr: inside the rule
  };
  const Case cases[] = {
      {"seVelocityLimit", BlockId::Limits, "VelocityLimit", 0, 255, "510"},
      {"seVelocityLimit", BlockId::Limits, "VelocityLimit", 0, 3, "6"},
      {"seVelocityLimit", BlockId::Limits, "VelocityLimit", 0, 100, nullptr},
      {"seUaccLowLimit", BlockId::Limits, "UaccLowLimit", 0, 200, "20.0"},
      {"rgPrognozMeth", BlockId::Limits, "PrognozMeth", 0, 17, "17"},
      {"rgapUAccHigh_F", BlockId::AlarmStyles, "AlarmModes", 0, 0xFF, "255"},
      {"cbProtocol", BlockId::ServiceInfo, "Protocol", 0, 9999, "9999"},
      {"cbTripShowFlag", BlockId::Journals, "TripShowFlag", 0, 2, "2"},
      {"cbTripShowFlag", BlockId::Journals, "TripShowFlag", 0, 1, nullptr},
      {"meIntenseDayTime", BlockId::Display, "IntenseDayTime", 0, 1599, "1599"},
      {"meIntenseDayTime", BlockId::Display, "IntenseDayTime", 0, 1439, nullptr},
      {"deTO", BlockId::Service, "TO", 0, 1, "1"},        // would show "00.01.00"
      {"deTO", BlockId::Service, "TO", 0, 4300, "4300"},  // 09.10.11
      {"deTO", BlockId::Service, "TO", 0, 4301, nullptr},
      {"deTO", BlockId::Service, "TO", 0, 65535, "65535"},
      {"deTO", BlockId::Service, "TO", 0, 0, nullptr},
      {"pbDisp4_0_1", BlockId::Display, "Disp4Params", 1, 250, "250"},  // no such parameter
      {"pbDisp4_0_1", BlockId::Display, "Disp4Params", 1, 0, nullptr},
  };
  for (const Case& c : cases) {
    mk.Rec(c.block).SetInt(c.field, c.raw, c.index);
    const Setting& s = S(c.name);
    EXPECT_EQ(OutOfRange(s, mk, E()), c.stored != nullptr) << c.name << "=" << c.raw;
    if (c.stored != nullptr) {
      EXPECT_EQ(ShowAsText(s, mk, E()), c.stored) << c.name;
    }
    // The window reads whole stored values as numbers, never back from the text.
    if (c.stored != nullptr && s.kind != Kind::Spin && s.kind != Kind::Param) {
      EXPECT_EQ(std::to_string(StoredNumber(s, mk)), c.stored) << c.name;
    }
    EXPECT_EQ(Int(c.block, c.field, c.index), c.raw) << c.name;
  }
  EXPECT_EQ(ShowIndex(S("rgPrognozMeth"), mk, E()), -1);
  auto factor = mk.Rec(BlockId::Limits).Element("VelocityCorr");
  std::fill(factor.begin(), factor.end(), 0xFF);  // a NaN
  EXPECT_TRUE(OutOfRange(S("seVelocityCorr"), mk, E()));
  EXPECT_EQ(ShowAsText(S("seVelocityCorr"), mk, E()), "nan");
}

TEST_F(SettingValueTest, ResetPeriodsMapForbiddenToMinusOne) {
  CommitFromText(S("cbResetPeriod1"), mk, E(), "Запр.");
  EXPECT_EQ(Int(BlockId::Totals, "ResetPeriod1"), -1);
  EXPECT_EQ(ShowIndex(S("cbResetPeriod1"), mk, E()), 0);
  CommitFromText(S("cbResetPeriod1"), mk, E(), "Ручн.");
  EXPECT_EQ(Int(BlockId::Totals, "ResetPeriod1"), 0);
  CommitFromText(S("cbResetPeriod1"), mk, E(), "99");
  EXPECT_EQ(Int(BlockId::Totals, "ResetPeriod1"), 99);
  CommitFromText(S("cbResetPeriod0"), mk, E(), "7");
  EXPECT_EQ(Int(BlockId::Totals, "ResetPeriod0"), 7);
  EXPECT_THROW(CommitFromText(S("cbResetPeriod0"), mk, E(), "Запр."), Error);
}

TEST_F(SettingValueTest, CounterNamesKeepTheirZero) {
  CommitText(S("eForsTOCntK"), mk, "Свечи и фильтры");  // 15 characters
  const auto bytes = mk.Rec(BlockId::Service).Element("ForsTOCntKText");
  EXPECT_EQ(bytes[14], static_cast<std::uint8_t>('\xfb'));  // "ы" in Windows-1251
  EXPECT_EQ(bytes[15], 0);
  EXPECT_EQ(ShowText(S("eForsTOCntK"), mk), "Свечи и фильтры");
  EXPECT_THROW(CommitText(S("eForsTOCntK"), mk, "Свечи и фильтры!"), RangeError);
  EXPECT_EQ(ShowText(S("eForsTOCntK"), mk), "Свечи и фильтры");
  EXPECT_THROW(CommitText(S("eUniMeasStr"), mk, "Давлени"), RangeError);
  CommitText(S("eUniMeasStr"), mk, "Давлен");
  EXPECT_EQ(ShowText(S("eUniMeasStr"), mk), "Давлен");
}

TEST_F(SettingValueTest, TimesAndDatesKeepToTheDayAndTheSelectableDates) {
  mk.Rec(BlockId::Display).SetInt("IntenseDayTime", 60);
  EXPECT_EQ(ShowText(S("meIntenseDayTime"), mk), "01:00");
  CommitText(S("meIntenseNightTime"), mk, "21:30");
  EXPECT_EQ(Int(BlockId::Display, "IntenseNightTime"), 1290);
  CommitText(S("meIntenseNightTime"), mk, "2130");
  EXPECT_EQ(Int(BlockId::Display, "IntenseNightTime"), 0);
  CommitText(S("deTO"), mk, "10.10.11");
  EXPECT_EQ(Int(BlockId::Service, "TO"), 4301);
  CommitText(S("deOSAGO"), mk, "");
  EXPECT_EQ(Int(BlockId::Service, "OSAGO"), 0);
  struct Refusal {
    const char* name;
    const char* text;
    const char* message;
  };
  const Refusal refusals[] = {
      {"meIntenseDayTime", "25:99",
       "Время настройки «Врем вкл. ДНЕВНОЙ яркости» должно быть от 00:00 до 23:59."},
      {"meIntenseDayTime", "23:60", nullptr},
      {"deTO", "09.10.11", "Дата настройки «Дата след.ТО» должна быть от 10.10.11 до 31.12.99."},
      {"deOSAGO", "31.02.20",
       "Дата настройки «Дата опл.ОСАГО» должна быть от 10.10.11 до 31.12.99."},
  };
  for (const Refusal& r : refusals) {
    const auto before = mk.Rec(S(r.name).block).Bytes();
    try {
      CommitText(S(r.name), mk, r.text);
      ADD_FAILURE() << r.name << "=" << r.text << " accepted";
    } catch (const RangeError& e) {
      if (r.message != nullptr) {
        EXPECT_STREQ(e.what(), r.message);
      }
    }
    EXPECT_EQ(mk.Rec(S(r.name).block).Bytes(), before) << r.name;
  }
}

TEST_F(SettingValueTest, EqualConverterValuesAreRefused) {
  auto& service = mk.Rec(BlockId::Service);
  service.SetInt("UniMeasADC0", 10);
  service.SetInt("UniMeasADC1", 900);
  try {
    CommitNumber(S("seUniMeasADC0"), mk, E(), 900);
    FAIL() << "accepted";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Значения АЦП Мин и Макс должны различаться.");
  }
  EXPECT_EQ(service.GetInt("UniMeasADC0"), 10);
  CommitNumber(S("seUniMeasADC1"), mk, E(), 11);
  EXPECT_EQ(service.GetInt("UniMeasADC1"), 11);
}

TEST_F(SettingValueTest, NegativeValuesOfUnsignedFieldsWrap) {
  CommitNumber(S("seAlarmVelSecNoSayMax"), mk, E(), -1);
  EXPECT_EQ(Int(BlockId::AlarmStyles, "AlarmVelSecNoSayMax"), 255);
  EXPECT_DOUBLE_EQ(ShowNumber(S("seAlarmVelSecNoSayMax"), mk, E()), -1);
  CommitNumber(S("seUniMeasDat0"), mk, E(), -180);
  EXPECT_EQ(Int(BlockId::Service, "UniMeasDat0"), 65536 - 180);
  EXPECT_DOUBLE_EQ(ShowNumber(S("seUniMeasDat0"), mk, E()), -180);
}

TEST_F(SettingValueTest, AlarmModesPackFirstAndRepeat) {
  CommitIndex(S("rgapVel_F"), mk, E(), 3);
  CommitIndex(S("rgapVel_N"), mk, E(), 2);
  EXPECT_EQ(Int(BlockId::AlarmStyles, "AlarmModes", 2), 3 + 8 * 2);
  CommitIndex(S("rgapVel_F"), mk, E(), 1);
  EXPECT_EQ(Int(BlockId::AlarmStyles, "AlarmModes", 2), 1 + 8 * 2);
  EXPECT_EQ(ShowIndex(S("rgapVel_N"), mk, E()), 2);
  CommitIndex(S("rgapTO_F"), mk, E(), 4);
  EXPECT_EQ(Int(BlockId::AlarmStyles, "AlarmModes", 6), 4 * 9);
  EXPECT_EQ(ShowIndex(S("rgapTO_F"), mk, E()), 4);
  mk.Rec(BlockId::AlarmStyles).SetInt("AlarmModes", 0xFF, 0);  // 7 and 7: no such item
  EXPECT_EQ(ShowIndex(S("rgapUAccHigh_F"), mk, E()), -1);
  EXPECT_EQ(ShowIndex(S("rgapUAccHigh_N"), mk, E()), -1);
}

TEST_F(SettingValueTest, FlagBitsTouchOnlyTheirBit) {
  auto& info = mk.Rec(BlockId::ServiceInfo);
  info.SetInt("ConfigFlags", 0x21E);  // bits set by the MK
  CommitIndex(S("rgLockType"), mk, E(), 1);
  CommitChecked(S("cbUseTank2"), mk, true);
  EXPECT_EQ(info.GetInt("ConfigFlags"), 0x21E | 1 | 64);
  CommitIndex(S("rgLockType"), mk, E(), 0);
  EXPECT_EQ(info.GetInt("ConfigFlags"), 0x21E | 64);
  CommitChecked(S("cbTO"), mk, false);
  EXPECT_EQ(Int(BlockId::Service, "ServiceFlags"), 511 & ~128);
  EXPECT_THROW(CommitIndex(S("rg24VMode"), mk, E(), 1), Error);
}

TEST_F(SettingValueTest, TachometerAndAirTemperatureMappings) {
  CommitFromText(S("rgForsCoef"), mk, E(), "4");
  EXPECT_EQ(Int(BlockId::Limits, "ForsCoef"), 4);
  mk.Rec(BlockId::Limits).SetInt("ForsCoef", 3);
  EXPECT_EQ(ShowAsText(S("rgForsCoef"), mk, E()), "4");
  mk.Rec(BlockId::Limits).SetInt("AirTemperMeth", 9);
  EXPECT_EQ(ShowAsText(S("rgAirTemperMeth"), mk, E()), "Динамич.");
}

TEST_F(SettingValueTest, TextThatIsNoValueIsRefusedWithTheSettingsName) {
  try {
    CommitFromText(S("seTankLimit"), mk, E(), "много");
    FAIL();
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "«много» не значение настройки «Остаток бака, л».");
  }
  EXPECT_THROW(CommitFromText(S("cbTripShowFlag"), mk, E(), "может"), Error);
  EXPECT_THROW(CommitFromText(S("meIntenseDayTime"), mk, E(), "7:00"), Error);
}

TEST_F(SettingValueTest, ToolTipsNameFieldUnitAndRange) {
  EXPECT_EQ(ToolTip(S("seVelocityLimit"), E()),
            "Ячейка памяти МК: Limits.VelocityLimit (1 байт без знака)\nЕдиница: км/час\n"
            "Диапазон: 40 … 200, шаг 2");
  EXPECT_EQ(ToolTip(S("cbUseTank2"), E()),
            "Ячейка памяти МК: ServiceInfo.ConfigFlags (4 байта без знака), бит 6");
}

}  // namespace
}  // namespace mk::settings

namespace mk::settings {
namespace {

// Random bytes (another firmware, a damaged file) never stop a setting from showing.
TEST(BadImages, EverySettingShowsWhateverTheRecordsHold) {
  device::TMK mk;
  std::uint32_t seed = 12345;
  for (int round = 0; round < 20; ++round) {
    for (device::BlockId block : device::kRecordBlocks) {
      for (auto& byte : mk.Rec(block).Bytes()) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<std::uint8_t>(seed >> 16);
      }
    }
    // A protocol of 256 or more stops the edit before the editor opens.
    mk.Rec(device::BlockId::ServiceInfo).SetInt("Protocol", round * 13);
    test::UseVariant(mk, static_cast<std::uint16_t>(round % 6),
                     static_cast<std::uint8_t>(round % 3));
    const Env env = Env::Of(mk);
    for (const Setting& s : AllSettings()) {
      EXPECT_NO_THROW({
        ShowAsText(s, mk, env);
        Visible(s, mk, env);
        ToolTip(s, env);
      }) << s.name;
    }
  }
}

}  // namespace
}  // namespace mk::settings
