// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/field_table.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "device/block_tables.h"
#include "text/byte_io.h"
#include "text/error.h"

namespace mk::device {
namespace {

TEST(BlockTables, EveryFieldLiesInsideItsRecordAndNoTwoOverlap) {
  for (const BlockDef& block : AllBlockDefs()) {
    std::vector<int> owner(block.record_size, -1);
    std::set<std::string_view> names;
    for (std::size_t n = 0; n < block.fields.size(); ++n) {
      const FieldDef& f = block.fields[n];
      EXPECT_TRUE(names.insert(f.name).second) << block.name << "." << f.name;
      ASSERT_GT(f.elem_size, 0u) << f.name;
      ASSERT_LE(f.offset + f.Size(), block.record_size) << block.name << "." << f.name;
      if (f.cols != 0) {
        EXPECT_EQ(f.count % f.cols, 0u) << f.name;
      }
      for (std::size_t b = f.offset; b < f.offset + f.Size(); ++b) {
        EXPECT_EQ(owner[b], -1) << block.name << "." << f.name << " overlaps at " << b;
        owner[b] = static_cast<int>(n);
      }
    }
  }
}

TEST(BlockTables, RecordSizesAndLastFieldsMatchTheLayout) {
  struct Expect {
    BlockId block;
    std::size_t size;
    const char* last_field;
    std::size_t last_end;
  };
  const Expect expected[] = {
      {BlockId::Totals, 164, "TankSumGas", 160},
      {BlockId::Parking, 28, "ParkProbesQntReal1", 23},
      {BlockId::FuelSensor, 64, "GazContFull", 58},
      {BlockId::TankCalibration, 420, "TarirRes", 280},
      {BlockId::Service, 124, "ServiceFlags", 118},
      {BlockId::Limits, 68, "AddCoolingTemper", 64},
      {BlockId::Journals, 860, "TankJournal", 856},
      {BlockId::AlarmStyles, 32, "AlarmVelSecNoSayMax", 28},
      {BlockId::Display, 412, "ShowDisp6", 408},
      {BlockId::ServiceInfo, 60, "ProtTypeAdd7", 56},
      {BlockId::ErrorJournal, 664, "ErrorRecords", 660},
      {BlockId::Cargo, 232, "CargoDens", 4},
  };
  for (const Expect& e : expected) {
    const BlockDef& def = BlockDefOf(e.block);
    EXPECT_EQ(def.record_size, e.size) << def.name;
    const FieldDef* f = def.Find(e.last_field);
    ASSERT_NE(f, nullptr) << e.last_field;
    EXPECT_EQ(f->offset + f->Size(), e.last_end) << e.last_field;
  }
  EXPECT_EQ(BlockDefOf(BlockId::Block8).record_size, 80u);
  EXPECT_TRUE(BlockDefOf(BlockId::Block8).fields.empty());
}

class RecordAccess : public ::testing::Test {
 protected:
  Record limits_{BlockDefOf(BlockId::Limits)};
  Record info_{BlockDefOf(BlockId::ServiceInfo)};
  Record service_{BlockDefOf(BlockId::Service)};
  Record display_{BlockDefOf(BlockId::Display)};
};

TEST_F(RecordAccess, SignedAndUnsignedFieldsAcceptExactlyTheirRange) {
  limits_.SetInt("TimeCorr", -128);  // s8 at 3
  EXPECT_EQ(limits_.Bytes()[3], 0x80);
  EXPECT_EQ(limits_.GetInt("TimeCorr"), -128);
  EXPECT_THROW(limits_.SetInt("TimeCorr", 128), RangeError);
  EXPECT_THROW(limits_.SetInt("TimeCorr", -129), RangeError);
  EXPECT_EQ(limits_.GetInt("TimeCorr"), -128) << "a refused value changes nothing";

  limits_.SetInt("VelocityLimit", 255);
  EXPECT_THROW(limits_.SetInt("VelocityLimit", 256), RangeError);
  EXPECT_THROW(limits_.SetInt("VelocityLimit", -1), RangeError);

  limits_.SetInt("LiqTemperLimit", 0xABCD);  // u16 at 4, little-endian
  EXPECT_EQ(limits_.Bytes()[4], 0xCD);
  EXPECT_EQ(limits_.Bytes()[5], 0xAB);
  EXPECT_THROW(limits_.SetInt("LiqTemperLimit", 65536), RangeError);

  info_.SetInt("ConfigFlags", 0xFFFFFFFF);
  EXPECT_EQ(info_.GetInt("ConfigFlags"), 0xFFFFFFFF);
  EXPECT_THROW(info_.SetInt("ConfigFlags", 0x100000000), RangeError);
  info_.SetInt("ThrottleStart", -2);  // s16 at 18
  EXPECT_EQ(info_.Bytes()[18], 0xFE);
  EXPECT_EQ(info_.Bytes()[19], 0xFF);
  EXPECT_EQ(info_.GetInt("ThrottleStart"), -2);

  Record totals(BlockDefOf(BlockId::Totals));
  totals.SetInt("AllPathStart", -2147483648LL);
  EXPECT_EQ(totals.GetInt("AllPathStart"), -2147483648LL);
  EXPECT_THROW(totals.SetInt("AllPathStart", 2147483648LL), RangeError);
}

TEST_F(RecordAccess, PidsAreBigEndianWhileTheirNeighboursAreNot) {
  info_.SetInt("Pids", 0x1234, 0);
  info_.SetInt("Pids", 0xBEEF, 15);
  info_.SetInt("PidsConsult", 0x1234);
  EXPECT_EQ(info_.Bytes()[20], 0x12);
  EXPECT_EQ(info_.Bytes()[21], 0x34);
  EXPECT_EQ(info_.Bytes()[50], 0xBE);
  EXPECT_EQ(info_.Bytes()[51], 0xEF);
  EXPECT_EQ(info_.Bytes()[16], 0x34);
  EXPECT_EQ(info_.Bytes()[17], 0x12);
  EXPECT_EQ(info_.Bytes()[52], 0) << "ProtTypeAdd4 right after the last PID word";
  EXPECT_THROW(info_.SetInt("Pids", 1, 16), RangeError);
}

TEST_F(RecordAccess, FloatsAreSinglePrecisionAndIntegersRoundHalfToEven) {
  limits_.SetFloat("ExpenseCorr", 1.0);
  EXPECT_EQ(bytes::ReadU32(limits_.Bytes(), 32), 0x3F800000u);
  limits_.SetFloat("GazExpenseCorr", -0.5);
  EXPECT_EQ(bytes::ReadU32(limits_.Bytes(), 48), 0xBF000000u);
  EXPECT_FLOAT_EQ(static_cast<float>(limits_.GetFloat("GazExpenseCorr")), -0.5f);
  EXPECT_THROW(limits_.SetFloat("ExpenseCorr", 1e39), RangeError);
  EXPECT_THROW(limits_.SetFloat("ExpenseCorr", std::numeric_limits<double>::quiet_NaN()),
               RangeError);

  limits_.SetFloat("TankLimit", 2.5);
  EXPECT_EQ(limits_.GetInt("TankLimit"), 2);
  limits_.SetFloat("TankLimit", 3.5);
  EXPECT_EQ(limits_.GetInt("TankLimit"), 4);
  EXPECT_THROW(limits_.SetFloat("TankLimit", 255.5), RangeError) << "rounds to 256";
  EXPECT_THROW(limits_.GetInt("ExpenseCorr"), Error) << "a float is no integer";
}

TEST_F(RecordAccess, TextsAreStoredInCp1251AndMustLeaveRoomForTheZero) {
  service_.SetText("UniMeasStr", "Давлен");  // 6 letters: the most that fits in 7 bytes
  const std::uint8_t expected[] = {0xC4, 0xE0, 0xE2, 0xEB, 0xE5, 0xED, 0x00};
  for (std::size_t i = 0; i < 7; ++i) EXPECT_EQ(service_.Bytes()[60 + i], expected[i]) << i;
  EXPECT_EQ(service_.GetText("UniMeasStr"), "Давлен");
  EXPECT_THROW(service_.SetText("UniMeasStr", "Давлени"), RangeError);
  EXPECT_EQ(service_.GetText("UniMeasStr"), "Давлен");

  service_.SetText("ForsTOCntKText", "Ab");
  EXPECT_EQ(service_.Bytes()[70], 0) << "the rest of the field is cleared";
  EXPECT_THROW(service_.SetText("ForsTOCntKText", std::string("a\0b", 3)), RangeError);
  // A field with no terminating zero reads up to its end, never beyond.
  std::fill_n(service_.Bytes().begin() + 60, 7, 'x');
  EXPECT_EQ(service_.GetText("UniMeasStr"), "xxxxxxx");
}

TEST_F(RecordAccess, GridsAreRowMajorAndCheckBothIndices) {
  display_.SetInt("Disp4Params", 99, 5, 3);  // last of six rows of four
  EXPECT_EQ(display_.Bytes()[12 + 23], 99);
  display_.SetInt("HotMenu", 0x0102, 3, 9);  // u16 grid at 124, 4 x 10
  EXPECT_EQ(display_.Bytes()[124 + 2 * 39], 0x02);
  EXPECT_EQ(display_.Bytes()[124 + 2 * 39 + 1], 0x01);
  EXPECT_THROW(display_.SetInt("Disp4Params", 1, 6, 0), RangeError);
  EXPECT_THROW(display_.SetInt("Disp4Params", 1, 0, 4), RangeError);
  EXPECT_THROW(display_.GetInt("NoSuchField"), Error);
}

TEST_F(RecordAccess, ByteHelperRefusesAccessPastTheBuffer) {
  std::vector<std::uint8_t> bytes(4);
  EXPECT_NO_THROW(bytes::WriteU32(bytes, 0, 1));
  EXPECT_THROW(bytes::WriteU32(bytes, 1, 1), RangeError);
  EXPECT_THROW(bytes::ReadU16(bytes, 3), RangeError);
  EXPECT_THROW(bytes::ReadUnsigned(bytes, SIZE_MAX, 2), RangeError) << "no wrap-around";
}

}  // namespace
}  // namespace mk::device
