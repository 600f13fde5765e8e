// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "link/fake_line.h"
#include "link/vl_rs.h"
#include "sim/virtual_rig.h"
#include "text/error.h"

namespace mk::link {
namespace {

struct WithVirtualMk : ::testing::Test {
  sim::VirtualRig rig{254, 3};
  NoPump pump;
  testing::FakePrompt prompt;
  TVL_RS rs{rig.ports, rig.clock, pump, prompt};
};

TEST_F(WithVirtualMk, IdentifiesFindsTheAddressAndReadsABlock) {
  rs.OpenPort(3);
  ASSERT_TRUE(rs.IsOpen());
  rs.SetResponseTimeout(100);
  EXPECT_EQ(rs.DetectAddress(), 254);

  rs.Command(254, kIdentify);
  rs.GetByte();
  EXPECT_EQ(rs.GetWord(), rig.mk.DeviceVersion());

  rs.BeginCommand(254, kReadBlock);
  rs.PutWord(2);
  rs.Transact();
  const auto memory = rig.mk.Memory();
  for (std::size_t i = 0; i < 32; ++i) EXPECT_EQ(rs.GetByte(), memory[64 + i]) << i;
}

TEST_F(WithVirtualMk, AWrongLineSettingMeansNoAnswer) {
  rs.SetStopBits(0);
  rs.OpenPort(3);
  rs.SetResponseTimeout(100);
  try {
    rs.Command(254, kIdentify);
    FAIL() << "answered";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), kNoLink);
  }
}

}  // namespace
}  // namespace mk::link
