// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <string>

#include "frames.h"
#include "sim/virtual_mk.h"

namespace mk::sim {
namespace {

using testing::Chunk;
using testing::Request;
using testing::Words;
using Bytes = std::vector<std::uint8_t>;

class RegionWrite : public ::testing::Test {
 public:
  // Sends one request and expects the MK's plain acknowledgement.
  void Send(std::uint8_t command, const Bytes& data) {
    auto replies = mk.Receive(Request(253, command, data));
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0].bytes, testing::Sealed({6, 253, 1, 0, 0, 0}));
  }
  void Begin(std::uint16_t a, std::uint16_t l) { Send(kBeginWrite, Words({a, l})); }
  void End(std::uint16_t a, std::uint16_t l) { Send(kEndWrite, Words({a, l})); }
  void Put(std::uint16_t j, const Bytes& bytes, int count = -1) {
    Send(kWriteChunk, Chunk(j, bytes, count));
  }
  // The region's bytes sent as the configurator does: full chunks, then the rest.
  void WriteRegion(std::uint16_t a, const Bytes& bytes) {
    const auto l = static_cast<std::uint16_t>(bytes.size());
    Begin(a, l);
    for (std::uint16_t j = 0; j * 32u < bytes.size(); ++j) {
      const auto from = bytes.begin() + j * 32;
      Put(j, Bytes(from, from + std::min<std::ptrdiff_t>(32, bytes.end() - from)));
    }
    End(a, l);
  }
  bool Untouched() const {
    return std::all_of(mk.Memory().begin(), mk.Memory().end(), [](auto b) { return b == 0; });
  }
  std::string OnlyViolation() const {
    EXPECT_EQ(mk.Violations().size(), 2u) << "the fault and the refused commit";
    return mk.Violations().empty() ? "" : mk.Violations()[0];
  }

  static Bytes Counting(std::size_t n) {
    Bytes b(n);
    std::iota(b.begin(), b.end(), std::uint8_t{1});
    return b;
  }

  VirtualMK mk{253};
};

TEST_F(RegionWrite, CommitsWholeRegionsOfEveryShape) {
  for (std::size_t length : {33u, 64u, 1u, 0u}) {
    SCOPED_TRACE(length);
    const Bytes bytes = Counting(length);
    WriteRegion(1000, bytes);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), mk.Memory().begin() + 1000));
  }
  EXPECT_TRUE(mk.Violations().empty());
  ASSERT_EQ(mk.Commits().size(), 4u);
  EXPECT_EQ(mk.Commits()[0], (Region{1000, 33}));
  EXPECT_EQ(mk.Memory()[999], 0);
  EXPECT_EQ(mk.Memory()[1064], 0);
}

TEST_F(RegionWrite, RegionEndingAtLastByteFitsOnePastDoesNot) {
  WriteRegion(8192 - 40, Counting(40));
  EXPECT_TRUE(mk.Violations().empty());
  mk.Memory()[8191] = 0;
  Begin(8192 - 39, 40);
  Put(0, Counting(32));
  Put(1, Counting(8));
  End(8192 - 39, 40);
  EXPECT_NE(OnlyViolation().find("past the end of the 8192-byte memory"), std::string::npos);
  EXPECT_EQ(mk.Memory()[8191], 0);
}

TEST_F(RegionWrite, ChunkOutOfOrderIsNotCommitted) {
  Begin(100, 64);
  Put(1, Counting(32));
  Put(0, Counting(32));
  End(100, 64);
  EXPECT_EQ(OnlyViolation(), "WriteChunk 1 out of order: chunk 0 expected");
  EXPECT_TRUE(Untouched());
  EXPECT_TRUE(mk.Commits().empty());
}

TEST_F(RegionWrite, EachBrokenChunkSpoilsTheRegion) {
  struct Case {
    const char* what;
    std::function<void(RegionWrite&)> chunks;
    const char* violation;
  };
  const Case cases[] = {
      {"count and bytes disagree", [](RegionWrite& t) { t.Put(0, Counting(30), 32); },
       "WriteChunk 0: count 32 but 30 bytes follow"},
      {"count 0", [](RegionWrite& t) { t.Put(0, {}, 0); }, "WriteChunk 0: count 0 outside 1..32"},
      {"count 33", [](RegionWrite& t) { t.Put(0, Counting(33)); },
       "WriteChunk 0: count 33 outside 1..32"},
      {"short chunk not last",
       [](RegionWrite& t) {
         t.Put(0, Counting(31));
         t.Put(1, Counting(32));
       },
       "WriteChunk 1 after a short chunk, which must be the last"},
      {"bytes past the length",
       [](RegionWrite& t) {
         t.Put(0, Counting(32));
         t.Put(1, Counting(32));
       },
       "WriteChunk 1: bytes 32..63 past the region length 40"},
      {"chunk header cut",
       [](RegionWrite& t) {
         t.Send(kWriteChunk, {0, 0});
       },
       "WriteChunk with 2 data bytes, at least 4 expected"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    mk.ClearViolations();
    Begin(200, 40);
    c.chunks(*this);
    End(200, 40);
    EXPECT_EQ(OnlyViolation(), c.violation);
    EXPECT_EQ(mk.Violations().back(),
              "EndWrite(200, 40): region not committed after the violation above");
    EXPECT_TRUE(Untouched());
  }
}

TEST_F(RegionWrite, MissingBytesAndMismatchedEndAreRefused) {
  Begin(300, 40);
  Put(0, Counting(32));
  End(300, 40);
  ASSERT_EQ(mk.Violations().size(), 1u);
  EXPECT_EQ(mk.Violations()[0], "EndWrite(300, 40): 32 of 40 bytes received, region not committed");

  mk.ClearViolations();
  Begin(300, 8);
  Put(0, Counting(8));
  End(301, 8);
  ASSERT_EQ(mk.Violations().size(), 1u);
  EXPECT_EQ(mk.Violations()[0],
            "EndWrite(301, 8) does not match BeginWrite(300, 8): region not committed");
  EXPECT_TRUE(Untouched());
  EXPECT_FALSE(mk.RegionOpen());
}

TEST_F(RegionWrite, CommandsOutsideARegion) {
  Put(0, Counting(4));
  End(10, 4);
  ASSERT_EQ(mk.Violations().size(), 2u);
  EXPECT_EQ(mk.Violations()[0], "WriteChunk 0 without BeginWrite");
  EXPECT_EQ(mk.Violations()[1], "EndWrite(10, 4) without BeginWrite");

  mk.ClearViolations();
  Begin(10, 4);
  Put(0, Counting(4));
  Begin(20, 4);  // the first region is abandoned
  Put(0, Counting(4));
  End(20, 4);
  ASSERT_EQ(mk.Violations().size(), 1u);
  EXPECT_EQ(mk.Violations()[0],
            "BeginWrite(20, 4) while region (10, 4) was open: that region is lost");
  EXPECT_EQ(mk.Memory()[10], 0);
  EXPECT_EQ(mk.Memory()[20], 1);
}

// When an answer is lost the configurator sends the same request again; the MK
// has already carried it out, so the repeat must neither break nor double it.
TEST_F(RegionWrite, RetriedRequestsAreHarmless) {
  Begin(500, 40);
  Begin(500, 40);
  Put(0, Counting(32));
  Put(0, Counting(32));
  Put(1, Counting(8));
  Put(1, Counting(8));
  End(500, 40);
  End(500, 40);
  EXPECT_TRUE(mk.Violations().empty());
  EXPECT_EQ(mk.Commits().size(), 1u);
  EXPECT_EQ(mk.Memory()[539], 8);

  // A different chunk under an old index is still a fault.
  Begin(600, 64);
  Put(0, Counting(32));
  Put(0, Bytes(32, 9));
  End(600, 64);
  EXPECT_EQ(OnlyViolation(), "WriteChunk 0 out of order: chunk 1 expected");
}

}  // namespace
}  // namespace mk::sim
