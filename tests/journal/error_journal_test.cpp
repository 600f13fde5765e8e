// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/error_journal.h"

#include <gtest/gtest.h>

#include "catalog/trouble_codes.h"
#include "device/mk.h"
#include "journal_bytes.h"
#include "sim/factory_image.h"

namespace mk::journal {
namespace {

using test::ErrorAt;
using test::PutError;
using test::SetPid;
using Lines = std::vector<CaptionedValue>;

std::vector<std::uint8_t> EmptyBlock() {
  return std::vector<std::uint8_t>(664, 0);
}

void PutValue(std::vector<std::uint8_t>& block, std::size_t slot, std::size_t offset,
              std::int16_t value) {
  bytes::WriteU16(block, ErrorAt(slot) + offset, static_cast<std::uint16_t>(value));
}

TEST(ErrorDateTest, TheHourIsNeitherReducedNorPadded) {
  EXPECT_EQ(ErrorDate(1500, 28, 2), "25:00 28.02");
  EXPECT_EQ(ErrorDate(7 * 60 + 5, 3, 11), "7:05 3.11");
  EXPECT_EQ(ErrorDate(0xFFFF, 255, 255), "1092:15 255.255");
}

TEST(PidSupportedTest, BitsRunFromTheTopBitOfTheFirstByte) {
  std::vector<std::uint8_t> map(12, 0);
  map[0] = 0x80;   // PID 1
  map[1] = 0x01;   // PID 16
  map[11] = 0x01;  // PID 96
  EXPECT_TRUE(PidSupported(map, 1));
  EXPECT_FALSE(PidSupported(map, 2));
  EXPECT_TRUE(PidSupported(map, 16));
  EXPECT_TRUE(PidSupported(map, 96));
  std::fill(map.begin(), map.end(), 0xFF);
  EXPECT_FALSE(PidSupported(map, 0));
  EXPECT_FALSE(PidSupported(map, 97));
  EXPECT_FALSE(PidSupported(map, -5));
  EXPECT_FALSE(PidSupported(std::span(map).first(2), 17)) << "a short bitmap holds no more";
}

TEST(StatesTest, FuelSystemAndSecondaryAir) {
  EXPECT_EQ(FuelSystemState(1), "Разомкнута");
  EXPECT_EQ(FuelSystemState(2), "Замкнута");
  EXPECT_EQ(FuelSystemState(4), "Разомк.(Раз/Тор)");
  EXPECT_EQ(FuelSystemState(8), "Разомк.(Ошибка)");
  EXPECT_EQ(FuelSystemState(16), "Замкн.(Датчик)");
  for (const int other : {0, 3, 32, 255}) {
    EXPECT_EQ(FuelSystemState(static_cast<std::uint8_t>(other)), "Неизвестно");
  }
  EXPECT_EQ(SecondaryAirState(1), "В катализатор");
  EXPECT_EQ(SecondaryAirState(2), "Из катализатора");
  EXPECT_EQ(SecondaryAirState(4), "Выключено");
  EXPECT_EQ(SecondaryAirState(0x0101), "Неизвестно");
}

TEST(ErrorGridTest, RowsShowTheSlotsWithACodeInTheProtocolsFormatAndItsDescription) {
  auto block = EmptyBlock();
  PutError(block, 0, 1500, 28, 2, 0x4123, 0);
  PutError(block, 3, 60, 1, 1, 0x0123, 0x0123);
  PutError(block, 5, 0, 9, 9, 0, 0x0301);  // no error code: the row stays empty
  const std::string other = "Код в формате протокола Тест: описания нет";
  const TextGrid grid = ErrorGrid(block, {8, {1, 0}, "Тест"});
  ASSERT_EQ(grid.size(), 8u);
  EXPECT_EQ(grid[0], (std::vector<std::string>{"#", "Время", "Код ошибки", "Описание"}));
  EXPECT_EQ(grid[1], (std::vector<std::string>{"0", "25:00 28.02", "P0291",
                                               catalog::DescribeTroubleCode(0x0291)}));
  EXPECT_EQ(grid[4], (std::vector<std::string>{"3", "1:00 1.01", "291", other}));
  EXPECT_EQ(grid[6], (std::vector<std::string>{"5", "", "", ""}));
  EXPECT_EQ(grid[7], (std::vector<std::string>{"6", "", "", ""}));
  EXPECT_EQ(ErrorGrid(block, {1000, {}, "Тест"})[1][3], "") << "a protocol without a format";
  EXPECT_EQ(ErrorGrid({}, {0, {}, ""}).size(), 8u);
}

TEST(DescribeErrorCodeTest, OnlyCodesShownWithTheirLetterAreLookedUp) {
  const std::string misfire = "Пропуски воспламенения в цилиндре 1";
  const std::string own = "Код в формате протокола ISO 9141: описания нет";
  const struct {
    std::uint32_t code;
    std::int32_t format;
    ProtocolOptions options;
    std::string description;
  } cases[] = {
      {0x0301, 0, {}, misfire},
      {0xC100, 0, {}, catalog::DescribeTroubleCode(0xC100)},
      {0x1234, 0, {}, catalog::kMakerCodeText},
      {0x10301, 0, {}, own},  // past the four letters
      {0x0301, 1, {}, own},
      {0x0301, 2, {}, own},
      {0x0301, 3, {}, own},
      {0x0301, 4, {}, own},
      {0x0301, 5, {}, own},
      {0x0301, 7, {0, 1}, misfire},
      {0x0301, 7, {0, 0}, own},
      {0x4301, 8, {}, catalog::DescribeTroubleCode(0x0769)},  // n = 769
      {0x0123, 8, {1, 0}, own},
      {0x0123, 8, {0, 0}, ""},  // shows nothing
      {0x0301, 9, {0, 1}, misfire},
      {0x0301, 9, {0, 0}, own},
      {0x0301, 6, {}, ""},
      {0x0301, 1000, {}, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DescribeErrorCode(c.code, {c.format, c.options, "ISO 9141"}), c.description)
        << std::hex << c.code << " in " << std::dec << c.format;
  }
}

TEST(FreezeFrameTest, ACodeOfZeroGivesNoLinesWhateverTheBitmap) {
  auto block = EmptyBlock();
  std::fill_n(block.begin() + 4, 12, 0xFF);
  PutError(block, 0, 60, 1, 1, 0x0301, 0);
  EXPECT_TRUE(FreezeFrameLines(block, 0, ",").empty());
  EXPECT_TRUE(FreezeFrameLines(block, 7, ",").empty()) << "there are seven slots";
}

TEST(FreezeFrameTest, WithoutSupportedPidsOnlyTheCodeLine) {
  auto block = EmptyBlock();
  PutError(block, 2, 60, 1, 1, 0x0301, 0xC123);
  EXPECT_EQ(FreezeFrameLines(block, 2, ","),
            (Lines{{"Код ошибки", "U0123"}, {catalog::DescribeTroubleCode(0xC123), ""}}));
  PutError(block, 2, 60, 1, 1, 0x0301, 0x10301);
  EXPECT_EQ(FreezeFrameLines(block, 2, ","), (Lines{{"Код ошибки", "0301"}}))
      << "a code past the four letters has no description";
}

TEST(FreezeFrameTest, LinesFollowTheDisplayOrderAndReadTheSwappedOffsets) {
  auto block = EmptyBlock();
  PutError(block, 1, 60, 1, 1, 0x0301, 0x0301);
  for (const int pid : {3, 7, 8, 10, 12, 13, 18, 20}) SetPid(block, pid);
  bytes::WriteU16(block, ErrorAt(1) + 12, 0x0210);  // system 1 closed, system 2 by sensor
  PutValue(block, 1, 20, -4);                       // PID 8, short-term trim bank 2
  PutValue(block, 1, 22, 6);                        // PID 7, long-term trim bank 1
  PutValue(block, 1, 26, -15);                      // PID 10 in tenths
  PutValue(block, 1, 30, 88);                       // PID 13, speed
  PutValue(block, 1, 32, 2140);                     // PID 12, engine speed
  PutValue(block, 1, 42, 4);                        // PID 18
  PutValue(block, 1, 44, 45);                       // PID 20 in hundredths
  EXPECT_EQ(FreezeFrameLines(block, 1, ","), (Lines{{"Код ошибки", "P0301"},
                                                    {"Пропуски воспламенения в цилиндре 1", ""},
                                                    {"Сост. топливной системы 1", "Замкнута"},
                                                    {"Сост. топливной системы 2", "Замкн.(Датчик)"},
                                                    {"Краткосрочная корр.подачи топл.Б2, %", "-4"},
                                                    {"Долгосрочная корр.продачи топл.Б1, %", "6"},
                                                    {"Давление топлива, кПа", "-1,5"},
                                                    {"Обороты/мин", "2140"},
                                                    {"Скорость, км/час", "88"},
                                                    {"Состояние вторичного воздуха", "Выключено"},
                                                    {"Датчик кислорода 1, В", "0,45"}}));
  EXPECT_EQ(FreezeFrameLines(block, 1, ".")[6].second, "-1.5");
}

TEST(FreezeFrameTest, EveryPidGivesFortyThreeLines) {
  auto block = EmptyBlock();
  std::fill_n(block.begin() + 4, 12, 0xFF);
  PutError(block, 6, 60, 1, 1, 1, 1);
  const Lines lines = FreezeFrameLines(block, 6, ",");
  ASSERT_EQ(lines.size(), 43u);  // the code, its description and 41 values
  EXPECT_EQ(lines.back().first, "Время с момента сброса ошибок, мин");
}

TEST(ClearErrorJournalTest, ZeroesTheBitmapDatesCodesAndFreezeFrameCodesOnly) {
  device::TMK mk;
  auto& bytes = mk.Rec(device::BlockId::ErrorJournal).Bytes();
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i | 1);
  const std::vector<std::uint8_t> before = bytes;
  ClearErrorJournal(mk);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const bool in_records = i >= 16 && i < 660;
    const bool cleared = (i >= 4 && i < 16) || (in_records && (i - 16) % 92 < 12);
    EXPECT_EQ(bytes[i], cleared ? 0 : before[i]) << i;
  }
  for (std::size_t slot = 0; slot < device::kErrorRecords; ++slot) {
    EXPECT_TRUE(FreezeFrameLines(bytes, slot, ",").empty());
  }
}

TEST(ErrorCodeStyleTest, TheSelectedProtocolOfTheImageDecides) {
  device::TMK mk;
  mk.ReplaceImage(1, sim::ImageFromMemory(sim::FactoryMemory(8192)));
  device::Record& info = mk.Rec(device::BlockId::ServiceInfo);
  info.SetInt("ProtTypeMain", 1);
  info.SetInt("ProtTypeAdd2", 2);
  const ErrorCodeStyle style = CurrentErrorCodeStyle(mk);
  catalog::ProtocolCatalogue protocols;
  protocols.Build(1, 0, static_cast<std::uint8_t>(sim::kFactoryFirmwareVersion));
  ASSERT_NE(protocols.Current(), nullptr);
  EXPECT_EQ(style.format, protocols.Current()->ErrorCodeFormat);
  EXPECT_EQ(style.options.prot_type_main, 1);
  EXPECT_EQ(style.options.prot_type_add2, 2);

  info.SetInt("Protocol", 255);
  EXPECT_EQ(CurrentErrorCodeStyle(mk).format, catalog::TProtBase::kNoErrorFormat)
      << "an index outside the catalogue";
  info.SetInt("Protocol", 300);
  EXPECT_EQ(CurrentErrorCodeStyle(mk).format, catalog::TProtBase::kNoErrorFormat);
}

}  // namespace
}  // namespace mk::journal
