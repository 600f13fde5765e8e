// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/blocks.h"

#include <gtest/gtest.h>

#include <set>

#include "catalog/protocol.h"

namespace mk::catalog {
namespace {

TEST(BlocksTest, ListsFollowTheFlags) {
  const auto common = OfferedBlocks({}, true);
  ASSERT_EQ(common.size(), 29u);
  EXPECT_EQ(common.front().number, 8);
  EXPECT_EQ(common.back().name, "Duster \u042d\u041c\u0423\u0420 1");

  const auto ext = OfferedBlocks({Feature::ExtendedBlocks}, false);
  const auto hyb = OfferedBlocks({Feature::ExtendedBlocks}, true);
  EXPECT_EQ(hyb.size(), ext.size() + 13);
  EXPECT_EQ(ext.back().name, "Creta \u0441\u043e\u0435\u0434.\u0431\u043b\u043e\u043a");

  const auto truck = OfferedBlocks({Feature::ExtendedBlocks, Feature::HasTruckOptions}, false);
  EXPECT_EQ(truck.front().number, 93);
  EXPECT_EQ(OfferedBlocks({Feature::HasTruckOptions}, false).front().number, 8);

  std::set<int> numbers;
  for (const auto& b : truck) EXPECT_TRUE(numbers.insert(b.number).second) << int(b.number);
  for (const auto& b : hyb) EXPECT_GE(b.number, 8);
}

TEST(BlocksTest, ProtocolBlocksAreOfferedForTheirVariants) {
  // Every block a protocol polls must be in the full list, or "Протокол"
  // on the blocks page would select nothing for it.
  std::set<int> all;
  for (const auto& b : OfferedBlocks({Feature::ExtendedBlocks, Feature::HasTruckOptions}, true)) {
    all.insert(b.number);
  }
  ProtocolCatalogue c;
  c.Build(9999, 0, 0);
  for (const auto& p : c.Items()) {
    for (int b : p.Blocks) EXPECT_TRUE(all.count(b)) << p.Name << " " << b;
  }
}

}  // namespace
}  // namespace mk::catalog
