// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/edit_history.h"

#include <gtest/gtest.h>

#include "text/error.h"

namespace mk::settings {
namespace {

using device::BlockId;

class EditHistoryTest : public ::testing::Test {
 protected:
  std::vector<std::vector<std::uint8_t>> Bytes() const {
    return {mk.Rec(BlockId::Limits).Bytes(), mk.Rec(BlockId::Display).Bytes(),
            mk.Rec(BlockId::Cargo).Bytes()};
  }
  device::TMK mk;
  EditHistory history{mk};
};

TEST_F(EditHistoryTest, UndoAndRedoAcrossBlocksRestoreTheBytes) {
  const auto start = Bytes();
  history.Apply([&] { mk.Rec(BlockId::Limits).SetInt("VelocityLimit", 60); });
  const auto after_first = Bytes();
  history.Apply([&] {
    mk.Rec(BlockId::Display).SetInt("SoundVolume", 7);
    mk.Rec(BlockId::Cargo).SetInt("TareWeight", 5);
  });
  const auto after_second = Bytes();
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(Bytes(), after_first);
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(Bytes(), start);
  EXPECT_FALSE(history.Undo());
  ASSERT_TRUE(history.Redo());
  ASSERT_TRUE(history.Redo());
  EXPECT_EQ(Bytes(), after_second);
  EXPECT_FALSE(history.Redo());
}

TEST_F(EditHistoryTest, ANewChangeDropsWhatCouldBeRedone) {
  history.Apply([&] { mk.Rec(BlockId::Limits).SetInt("VelocityLimit", 60); });
  history.Undo();
  history.Apply([&] { mk.Rec(BlockId::Limits).SetInt("TankLimit", 20); });
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(mk.Rec(BlockId::Limits).GetInt("VelocityLimit"), 40);
}

TEST_F(EditHistoryTest, AChangeThatChangesNothingIsNoStep) {
  history.Apply([&] { mk.Rec(BlockId::Limits).SetInt("VelocityLimit", 40); });
  EXPECT_FALSE(history.CanUndo());
}

TEST_F(EditHistoryTest, ARefusedChangeLeavesEveryRecordAsItWas) {
  const auto start = Bytes();
  EXPECT_THROW(history.Apply([&] {
    mk.Rec(BlockId::Display).SetInt("SoundVolume", 7);
    mk.Rec(BlockId::Limits).SetInt("VelocityLimit", 300);
  }),
               RangeError);
  EXPECT_EQ(Bytes(), start);
  EXPECT_FALSE(history.CanUndo());
}

}  // namespace
}  // namespace mk::settings
