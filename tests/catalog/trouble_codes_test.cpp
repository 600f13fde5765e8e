// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/trouble_codes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

namespace mk::catalog {
namespace {

TEST(TroubleCodeParseTest, TakesAnyCaseAndSpacesAndRefusesTheRest) {
  const struct {
    const char* text;
    int code;  // -1: no code
  } cases[] = {
      {"P0301", 0x0301}, {"p0301", 0x0301}, {"P 0301", 0x0301}, {" u0100 ", 0xC100},
      {"C0035", 0x4035}, {"b0001", 0x8001}, {"P0a0f", 0x0A0F},  {"U3FFF", 0xFFFF},
      {"P0000", 0x0000}, {"X12", -1},       {"P03", -1},        {"P03011", -1},
      {"P4000", -1},     {"PG301", -1},     {"", -1},           {"PP301", -1},
      {"0301", -1},      {"П0301", -1},
  };
  for (const auto& c : cases) {
    const auto code = ParseTroubleCode(c.text);
    EXPECT_EQ(code ? int{*code} : -1, c.code) << "«" << c.text << "»";
    if (code) {
      EXPECT_TRUE(ParseTroubleCode(TroubleCodeName(*code)) == code) << c.text;
    }
  }
  EXPECT_EQ(TroubleCodeName(0x4035), "C0035");
  EXPECT_EQ(TroubleCodeName(0xBFFF), "B3FFF");
}

TEST(TroubleCodeOwnerTest, TheRangesAndTheirEdges) {
  using enum CodeOwner;
  const struct {
    const char* code;
    CodeOwner owner;
  } cases[] = {
      {"P0000", Standard}, {"P0FFF", Standard}, {"P1000", Maker},    {"P1FFF", Maker},
      {"P2000", Standard}, {"P2FFF", Standard}, {"P3000", Maker},    {"P33FF", Maker},
      {"P3400", Standard}, {"P34FF", Standard}, {"P3500", Reserved}, {"P3FFF", Reserved},
      {"C0000", Standard}, {"C0FFF", Standard}, {"C1000", Maker},    {"C3FFF", Maker},
      {"B0FFF", Standard}, {"B1000", Maker},    {"U0000", Standard}, {"U0FFF", Standard},
      {"U1000", Maker},    {"U2FFF", Maker},    {"U3FFF", Maker},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(OwnerOf(*ParseTroubleCode(c.code)), c.owner) << c.code;
  }
}

TEST(TroubleCodeDescribeTest, MakersReservedAndUnlistedCodesSaySo) {
  for (const char* code : {"P1234", "P3000", "U1000", "B2FFF", "C3FFF"})
    EXPECT_EQ(DescribeTroubleCode(*ParseTroubleCode(code)), kMakerCodeText) << code;
  // Reserved by the standard beyond P3500 by rule, inside the generic ranges by row.
  for (const char* code : {"P3500", "P2348", "P2399", "B0000", "B0019"})
    EXPECT_EQ(DescribeTroubleCode(*ParseTroubleCode(code)), kReservedCodeText) << code;
  EXPECT_EQ(DescribeTroubleCode(*ParseTroubleCode("P0FFF")), kUnlistedCodeText);
  EXPECT_EQ(FindTroubleCode(*ParseTroubleCode("P1234")), nullptr);
}

TEST(TroubleCodeRowsTest, InCodeOrderOnceEachWithShortRussianTexts) {
  const auto rows = TroubleCodeRows();
  ASSERT_FALSE(rows.empty());
  // Latin only in letters that name a part (sensor A, gear lever X), bus and unit
  // names drivers read as such, and NOx.
  const std::regex latin("[A-Za-z]+");
  const std::regex allowed("^([A-Z]|CAN|ABS|NOx|VIN)$");
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::string name = TroubleCodeName(rows[i].code);
    if (i > 0) {
      EXPECT_LT(rows[i - 1].code, rows[i].code) << name << " twice or out of order";
    }
    EXPECT_EQ(OwnerOf(rows[i].code), CodeOwner::Standard) << name;
    const std::string& text = rows[i].text;
    const auto chars = std::count_if(text.begin(), text.end(), [](char c) {
      return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    EXPECT_TRUE(chars > 0 && chars <= 80) << name << " " << text;
    for (std::sregex_iterator w(text.begin(), text.end(), latin), end; w != end; ++w) {
      EXPECT_TRUE(std::regex_match(w->str(), allowed)) << name << " " << text;
    }
  }
}

std::string RangeName(const ::testing::TestParamInfo<DefinedRange>& info) {
  return TroubleCodeName(info.param.first) + "_" + TroubleCodeName(info.param.last);
}

class DefinedRangeTest : public ::testing::TestWithParam<DefinedRange> {};

// Every code of the range whose last three digits are decimal has its row.
TEST_P(DefinedRangeTest, HasARowForEveryCode) {
  const DefinedRange range = GetParam();
  int expected = 0;
  int found = 0;
  for (unsigned code = range.first; code <= range.last; ++code) {
    if ((code & 0xF) > 9 || ((code >> 4) & 0xF) > 9 || ((code >> 8) & 0xF) > 9) continue;
    ++expected;
    const TroubleCodeRow* row = FindTroubleCode(static_cast<TroubleCode>(code));
    if (row) {
      ++found;
    } else {
      ADD_FAILURE() << TroubleCodeName(static_cast<TroubleCode>(code)) << " has no row";
    }
  }
  EXPECT_EQ(found, expected);
  EXPECT_EQ(OwnerOf(range.first), CodeOwner::Standard);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, DefinedRangeTest,
                         ::testing::ValuesIn(DefinedTroubleCodeRanges().begin(),
                                             DefinedTroubleCodeRanges().end()),
                         RangeName);

}  // namespace
}  // namespace mk::catalog
