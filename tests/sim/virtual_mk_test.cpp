// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/virtual_mk.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "frames.h"

namespace mk::sim {
namespace {

using testing::Request;
using testing::Sealed;
using testing::SumsToZero;
using testing::Words;
using Bytes = std::vector<std::uint8_t>;

// The single answer to `request`, or an empty vector when there is none.
Bytes Ask(VirtualMK& mk, const Bytes& request) {
  auto replies = mk.Receive(request);
  EXPECT_LE(replies.size(), 1u);
  return replies.empty() ? Bytes{} : replies[0].bytes;
}

TEST(VirtualMKAnswers, IdentifyByteForByte) {
  VirtualMK mk(253);
  EXPECT_EQ(Ask(mk, {6, 253, 1, 0, 1, 251}), (Bytes{9, 253, 1, 0, 0, 0, 1, 0, 248}));
  mk.SetDeviceVersion(0x1234);
  const Bytes answer = Ask(mk, Request(253, kIdentify));
  EXPECT_EQ(answer, Sealed({9, 253, 1, 0, 0, 0, 0x34, 0x12, 0}));
  EXPECT_EQ(mk.RequestCount(kIdentify), 2u);
}

TEST(VirtualMKAnswers, AddressDetectionGivesOwnAddress) {
  VirtualMK mk(254);
  const Bytes answer = Ask(mk, Sealed({6, 0, 0, 0, 0, 0}));
  ASSERT_EQ(answer.size(), 6u);
  EXPECT_EQ(answer[1], 254);
  EXPECT_EQ(answer[4], kStatusOk);
  EXPECT_TRUE(SumsToZero(answer));
  EXPECT_EQ(mk.RequestCount(kDetectAddress), 1u);
  // Address 0 with any other command is nobody's business.
  EXPECT_TRUE(Ask(mk, Request(0, kIdentify)).empty());
}

TEST(VirtualMKAnswers, OnlyItsOwnAddressAndSoundFrames) {
  VirtualMK mk(252);
  EXPECT_TRUE(Ask(mk, Request(253, kIdentify)).empty());
  Bytes bad = Request(252, kIdentify);
  bad.back() ^= 1;
  EXPECT_TRUE(Ask(mk, bad).empty());
  EXPECT_EQ(mk.IgnoredFrames(), 2u);
  EXPECT_EQ(mk.RequestCount(kIdentify), 0u);
  // A bad frame costs nothing: the next one is answered.
  EXPECT_EQ(Ask(mk, Request(252, kIdentify)).size(), 9u);
}

TEST(VirtualMKAnswers, UnknownCommandIsAnsweredWithStatusOne) {
  VirtualMK mk;
  const Bytes answer = Ask(mk, Request(253, 9));
  EXPECT_EQ(answer, Sealed({6, 253, 1, 0, kStatusUnknownCommand, 0}));
  EXPECT_EQ(mk.Violations().size(), 1u);
}

class ReadBlockTest : public ::testing::TestWithParam<std::uint8_t> {};

TEST_P(ReadBlockTest, FirstAndLastBlockAndOnePast) {
  VirtualMK mk(GetParam());
  const std::size_t size = mk.MemorySize();
  EXPECT_EQ(size, GetParam() == 254 ? 32768u : 8192u);
  for (std::size_t i = 0; i < size; ++i)
    mk.Memory()[i] = static_cast<std::uint8_t>(i * 7 + i / 256);
  const auto last = static_cast<std::uint16_t>(size / 32 - 1);
  for (std::uint16_t k : {std::uint16_t{0}, std::uint16_t{1}, last}) {
    const Bytes answer = Ask(mk, Request(GetParam(), kReadBlock, Words({k})));
    ASSERT_EQ(answer.size(), 38u) << k;
    EXPECT_EQ(answer[0], 38);
    EXPECT_EQ(answer[1], GetParam());
    EXPECT_EQ(answer[4], kStatusOk);
    EXPECT_TRUE(SumsToZero(answer));
    EXPECT_TRUE(std::equal(answer.begin() + 5, answer.end() - 1, mk.Memory().begin() + k * 32));
  }
  // Past the end there is no answer, so a reader can never take made-up bytes.
  EXPECT_TRUE(Ask(mk, Request(GetParam(), kReadBlock, Words({std::uint16_t(last + 1)}))).empty());
  EXPECT_TRUE(Ask(mk, Request(GetParam(), kReadBlock, {1})).empty());
  EXPECT_EQ(mk.Violations().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(EachAddress, ReadBlockTest, ::testing::Values(252, 253, 254),
                         [](const auto& p) { return std::to_string(p.param); });

TEST(VirtualMKStream, AnySplitAndSeveralFramesInOneWrite) {
  VirtualMK mk;
  const Bytes identify = Request(253, kIdentify);
  for (std::size_t i = 0; i + 1 < identify.size(); ++i) {
    EXPECT_TRUE(mk.Receive(Bytes{identify[i]}).empty());
  }
  EXPECT_EQ(mk.Receive(Bytes{identify.back()}).size(), 1u);

  Bytes two = identify;
  const Bytes read = Request(253, kReadBlock, Words({2}));
  two.insert(two.end(), read.begin(), read.end());
  two.push_back(identify[0]);  // and the start of a third
  auto replies = mk.Receive(two);
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[0].request_end, 6u);
  EXPECT_EQ(replies[1].request_end, 14u);
  EXPECT_EQ(replies[1].bytes.size(), 38u);
  replies = mk.Receive(Bytes(identify.begin() + 1, identify.end()));
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].request_end, 5u);
}

TEST(VirtualMKStream, LengthByteZeroMeans256) {
  VirtualMK mk;
  Bytes big(256, 0xAB);
  big[1] = 253;
  big[2] = 1;
  big[3] = 0;
  big[4] = 9;
  unsigned sum = 0;
  for (std::size_t i = 0; i < 255; ++i) sum += i == 0 ? 0 : big[i];
  big[255] = static_cast<std::uint8_t>(-sum);
  big[0] = 0;
  EXPECT_EQ(Ask(mk, big).size(), 6u);
  EXPECT_EQ(mk.RequestCount(9), 1u);
}

TEST(VirtualMKStream, ShortLengthByteIsSkippedAndStalePartsDropped) {
  VirtualMK mk;
  // A frame claiming 3 bytes is taken whole and thrown away; the MK stays in step.
  Bytes junk{3, 253, 1};
  const Bytes identify = Request(253, kIdentify);
  junk.insert(junk.end(), identify.begin(), identify.end());
  EXPECT_EQ(mk.Receive(junk).size(), 1u);

  // Half a frame, then silence: the next request starts afresh.
  EXPECT_TRUE(mk.Receive(Bytes(identify.begin(), identify.begin() + 3), 1000).empty());
  EXPECT_TRUE(mk.Receive(identify, 1000 + kResyncGapUs).empty()) << "still within the gap";
  VirtualMK fresh;
  EXPECT_TRUE(fresh.Receive(Bytes(identify.begin(), identify.begin() + 3), 1000).empty());
  EXPECT_EQ(fresh.Receive(identify, 1001 + kResyncGapUs).size(), 1u);
  EXPECT_EQ(fresh.IgnoredFrames(), 1u);
}

TEST(VirtualMKMemory, SizeFollowsAddressUnlessFixed) {
  VirtualMK mk(252);
  mk.Memory()[100] = 7;
  mk.SetAddress(254);
  EXPECT_EQ(mk.MemorySize(), 32768u);
  EXPECT_EQ(mk.Memory()[100], 7);
  mk.SetMemorySize(8192);
  mk.SetAddress(254);
  EXPECT_EQ(mk.MemorySize(), 8192u);
  EXPECT_THROW(mk.SetMemorySize(4096), std::invalid_argument);
}

TEST(VirtualMKMemory, ImageShorterFillsZeroLongerRefused) {
  VirtualMK mk;
  mk.Memory()[10] = 0x55;
  mk.LoadImage(Bytes{1, 2, 3});
  EXPECT_EQ(mk.Memory()[2], 3);
  EXPECT_EQ(mk.Memory()[10], 0);
  EXPECT_THROW(mk.LoadImage(Bytes(8193, 1)), std::invalid_argument);
  EXPECT_EQ(mk.Memory()[0], 1) << "a refused image changes nothing";
}

}  // namespace
}  // namespace mk::sim
