// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/error_code.h"

#include <gtest/gtest.h>

namespace mk::journal {
namespace {

constexpr ProtocolOptions kMain0{0, 0};
constexpr ProtocolOptions kMain1{1, 0};
constexpr ProtocolOptions kAdd2One{0, 1};

TEST(ErrorCodeTest, Format0PutsTheLetterOfTheTopBits) {
  EXPECT_EQ(RenderErrorCode(0x0301, 0, kMain0), "P0301");
  EXPECT_EQ(RenderErrorCode(0x4301, 0, kMain0), "C0301");
  EXPECT_EQ(RenderErrorCode(0x8301, 0, kMain0), "B0301");
  EXPECT_EQ(RenderErrorCode(0xC123, 0, kMain0), "U0123");
  EXPECT_EQ(RenderErrorCode(0x10123, 0, kMain0), "0123") << "past U there is no letter";
}

TEST(ErrorCodeTest, Formats1To3) {
  EXPECT_EQ(RenderErrorCode(0xC123, 1, kMain0), "0123");
  EXPECT_EQ(RenderErrorCode(0x12345, 2, kMain0), "74565");
  EXPECT_EQ(RenderErrorCode(0x8001, 3, kMain0), "32769п");
  EXPECT_EQ(RenderErrorCode(0xC001, 3, kMain0), "49153п") << "bit 15 wins";
  EXPECT_EQ(RenderErrorCode(0x4001, 3, kMain0), "16385н");
  EXPECT_EQ(RenderErrorCode(0x2001, 3, kMain0), "8193м");
  EXPECT_EQ(RenderErrorCode(0x1001, 3, kMain0), "4097");
}

TEST(ErrorCodeTest, Format4AddsSubOutsideTheMiddleRange) {
  EXPECT_EQ(RenderErrorCode(0xFF, 4, kMain0), "00FFSub");
  EXPECT_EQ(RenderErrorCode(0x100, 4, kMain0), "0100");
  EXPECT_EQ(RenderErrorCode(0xABC, 4, kMain0), "0ABC");
  EXPECT_EQ(RenderErrorCode(0x1000, 4, kMain0), "1000Sub");
  EXPECT_EQ(RenderErrorCode(0x12345, 4, kMain0), "12345Sub");
}

TEST(ErrorCodeTest, Format5IsJ1939WithQ127AndAboveUnavailable) {
  EXPECT_EQ(RenderErrorCode(0x7F0A1234, 5, kMain0), "SPN = 4660  FMI = 10  Q = ----");
  EXPECT_EQ(RenderErrorCode(0xA51234, 5, kMain0), "SPN = 332340  FMI = 5  Q = 0");
  EXPECT_EQ(RenderErrorCode(0x7E000001, 5, kMain0), "SPN = 1  FMI = 0  Q = 126");
}

TEST(ErrorCodeTest, Formats7And9ChooseByProtTypeAdd2) {
  EXPECT_EQ(RenderErrorCode(0x4301, 7, kAdd2One), "C0301");
  EXPECT_EQ(RenderErrorCode(0x4301, 7, kMain0), "0301");
  EXPECT_EQ(RenderErrorCode(0x4301, 9, kMain0), "17153");
  EXPECT_EQ(RenderErrorCode(0x4301, 9, kAdd2One), "C0301");
}

TEST(ErrorCodeTest, Format8ConvertsHighCodesAndShowsLowOnesOnlyForVariant1) {
  EXPECT_EQ(RenderErrorCode(0x4123, 8, kMain0), "P0291");
  EXPECT_EQ(RenderErrorCode(0x5000, 8, kMain0), "P0000");
  EXPECT_EQ(RenderErrorCode(0x0123, 8, kMain1), "291");
  EXPECT_EQ(RenderErrorCode(0x0123, 8, kMain0), "");
  EXPECT_EQ(RenderErrorCode(0x4C00 + 999, 8, kMain0), "P0999");
  EXPECT_EQ(RenderErrorCode(0x4400 + 1023, 8, kMain0), "P0023") << "a thousands digit is dropped";
}

TEST(ErrorCodeTest, Format8ConversionPicksTheRangeBelowTheCode) {
  EXPECT_EQ(ConvertFormat8(0x4000), 0u);
  EXPECT_EQ(ConvertFormat8(0x4000 + 123), 0x123u);
  EXPECT_EQ(ConvertFormat8(0x4800 + 45), 0x045u);
  EXPECT_EQ(ConvertFormat8(0x4FFF), 0x023u);
  EXPECT_EQ(ConvertFormat8(0xFFFFFFFF), 0u);
}

TEST(ErrorCodeTest, Format6NoFormatAndNonsenseGiveEmptyTexts) {
  for (const std::int32_t format : {6, 10, 1000, -1}) {
    EXPECT_EQ(RenderErrorCode(0x0301, format, kMain1), "") << format;
  }
}

}  // namespace
}  // namespace mk::journal
