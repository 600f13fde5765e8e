// SPDX-License-Identifier: GPL-3.0-or-later
// Which images can be an MK's memory: lengths, block count and each block of
// the directory, at the edges where a file stops being one a real MK gives.
#include "device/image_check.h"

#include <gtest/gtest.h>

#include <string>

#include "image_builder.h"
#include "sim/factory_image.h"

namespace mk::device {
namespace {

using testing::PatternImage;
using testing::SetEntry;

std::uint16_t AddressOf(const std::vector<std::uint8_t>& image, int k) {
  return bytes::ReadU16(image, 4 + 4 * static_cast<std::size_t>(k - 1));
}

std::uint16_t LengthOf(const std::vector<std::uint8_t>& image, int k) {
  return bytes::ReadU16(image, 6 + 4 * static_cast<std::size_t>(k - 1));
}

std::size_t RecordSize(int k) {
  return BlockDefOf(static_cast<BlockId>(k)).record_size;
}

TEST(ImageCheck, WhatARealMkGivesIsTaken) {
  for (std::size_t memory : {8192u, 32768u}) {
    const auto image = sim::ImageFromMemory(sim::FactoryMemory(memory));
    EXPECT_EQ(ImageFault(image), "") << memory;
    EXPECT_EQ(MemorySizeOfImage(image.size()), memory);
  }
  EXPECT_EQ(ImageFault(PatternImage(8128)), "");
  EXPECT_EQ(ImageFault(PatternImage(32704)), "");
}

TEST(ImageCheck, OnlyTheTwoLengthsOfARead) {
  for (std::size_t size : {0u, 33u, 1998u, 8127u, 8129u, 16320u, 32703u, 32705u}) {
    const std::string fault = ImageFault(std::vector<std::uint8_t>(size, 0));
    EXPECT_NE(fault.find("его длина " + ByteCount(size + 2)), std::string::npos) << fault;
    EXPECT_NE(fault.find("8130 или 32706 байт"), std::string::npos) << fault;
  }
}

TEST(ImageCheck, AtMostFourteenBlocksCounted) {
  auto image = PatternImage();
  bytes::WriteU32(image, 0, 14);
  EXPECT_EQ(ImageFault(image), "");
  bytes::WriteU32(image, 0, 15);
  EXPECT_EQ(ImageFault(image), "число блоков в каталоге - 15, а их бывает не больше 14");
  bytes::WriteU32(image, 0, 3929946476u);
  EXPECT_NE(ImageFault(image).find("3929946476"), std::string::npos);
}

TEST(ImageCheck, ASettingsBlockShorterThanItsRecordIsNamed) {
  for (int k : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 13}) {
    auto image = PatternImage();
    const auto full = static_cast<std::uint16_t>(RecordSize(k) + 4);
    SetEntry(image, k, AddressOf(image, k), full);
    EXPECT_EQ(ImageFault(image), "") << k;
    SetEntry(image, k, AddressOf(image, k), static_cast<std::uint16_t>(full - 1));
    EXPECT_EQ(ImageFault(image), "блок " + std::to_string(k) + " короче своей записи: в нём " +
                                     ByteCount(RecordSize(k) - 1) + " данных вместо " +
                                     std::to_string(RecordSize(k)))
        << k;
  }
  // A longer data part is another firmware's layout: the record takes its start.
  auto image = PatternImage();
  SetEntry(image, 1, AddressOf(image, 1), 400);
  EXPECT_EQ(ImageFault(image), "");
}

TEST(ImageCheck, BlockOneWithLengthZeroToFiveIsRefused) {
  for (std::uint16_t length = 0; length <= 5; ++length) {
    auto image = PatternImage();
    SetEntry(image, 1, AddressOf(image, 1), length);
    const std::string fault = ImageFault(image);
    EXPECT_EQ(fault.rfind("блок 1 ", 0), 0u) << length << ": " << fault;
  }
  auto image = PatternImage();
  SetEntry(image, 1, AddressOf(image, 1), 2);
  EXPECT_EQ(ImageFault(image), "блок 1 длиной 2 короче своих 4 служебных байт");
}

TEST(ImageCheck, ABlockMustStartAtAddressThirtyTwoOrLater) {
  auto image = PatternImage();
  SetEntry(image, 3, 31, LengthOf(image, 3));
  EXPECT_EQ(ImageFault(image),
            "блок 3 начинается с адреса 31, раньше памяти настроек (она начинается с адреса 32)");
  SetEntry(image, 3, 32, LengthOf(image, 3));
  EXPECT_EQ(ImageFault(image), "") << "over the directory is odd, but inside the memory";
}

TEST(ImageCheck, EveryBlockLiesInsideTheFirstHalf) {
  for (std::size_t size : {8128u, 32704u}) {
    const std::size_t half = (size + 64) / 2;
    auto image = PatternImage(size);
    const std::size_t data = RecordSize(7);
    SetEntry(image, 7, static_cast<std::uint16_t>(half - data), LengthOf(image, 7));
    EXPECT_EQ(ImageFault(image), "") << size << ": the last byte of the half";
    SetEntry(image, 7, static_cast<std::uint16_t>(half - data + 1), LengthOf(image, 7));
    EXPECT_EQ(ImageFault(image), "блок 7 (адрес " + std::to_string(half - data + 1) +
                                     ", 860 байт данных) не помещается в первую половину памяти "
                                     "МК (до адреса " +
                                     std::to_string(half) + ")")
        << size;
    // At the image's end: inside the image, but an address the write cannot reach.
    SetEntry(image, 7, static_cast<std::uint16_t>(32 + size - 10), LengthOf(image, 7));
    EXPECT_EQ(ImageFault(image).rfind("блок 7 (", 0), 0u) << size;
  }
}

TEST(ImageCheck, BlocksTwelveAndFourteenCountOnlyWhenCounted) {
  auto image = PatternImage();
  SetEntry(image, 12, 60000, 2);
  SetEntry(image, 14, 10, 0);
  EXPECT_NE(ImageFault(image), "");
  bytes::WriteU32(image, 0, 11);
  EXPECT_EQ(ImageFault(image), "") << "the write sends only the counted entries";
  SetEntry(image, 13, 10, 0);
  EXPECT_EQ(ImageFault(image).rfind("блок 13 ", 0), 0u)
      << "the model loads block 13 whatever the count";
}

TEST(ImageCheck, ByteCountsReadAsRussian) {
  EXPECT_EQ(ByteCount(1), "1 байт");
  EXPECT_EQ(ByteCount(2), "2 байта");
  EXPECT_EQ(ByteCount(4), "4 байта");
  EXPECT_EQ(ByteCount(5), "5 байт");
  EXPECT_EQ(ByteCount(12), "12 байт");
  EXPECT_EQ(ByteCount(22), "22 байта");
  EXPECT_EQ(ByteCount(2002), "2002 байта");
  EXPECT_EQ(ByteCount(8130), "8130 байт");
}

}  // namespace
}  // namespace mk::device
