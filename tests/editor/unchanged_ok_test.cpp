// SPDX-License-Identifier: GPL-3.0-or-later
// The editor opened and closed with OK, nothing touched, leaves every byte of
// the image as it was: showing a value (a hot-menu list compacted, a number
// outside its range, an item past its list) is never a write; nor does it say
// the settings changed.
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include <random>

#include "device/block_tables.h"
#include "editor_fixture.h"

namespace mk::editor::test {
namespace {

using UnchangedOkTest = EditorTest;

TEST_F(UnchangedOkTest, OkWithoutAnEditLeavesEveryByteOfRandomImages) {
  std::mt19937 random(20261209);
  const std::uint32_t firmwares[] = {0, sim::kFactoryFirmwareVersion};
  for (int round = 0; round < 24; ++round) {
    Load(round % 2 == 0 ? 1 : 5, firmwares[(round / 2) % 2]);
    // Every settings byte random in some rounds, one byte in four in the
    // others; the MK's identity and protocol stay, as a read checks them.
    for (device::BlockId block : device::kSettingsBlocks) {
      if (block == device::BlockId::ServiceInfo) continue;
      for (auto& byte : mk.Rec(block).Bytes()) {
        if (round % 3 == 0 || random() % 4 == 0) byte = static_cast<std::uint8_t>(random());
      }
    }
    // A calibration longer than the table is the tank page's to put right (it shows 0 points).
    auto& tank = mk.Rec(device::BlockId::TankCalibration);
    tank.SetInt("TarirLeng", tank.GetInt("TarirLeng") % 69);
    mk.StoreBlocks(device::kSettingsBlocks);
    const std::vector<std::uint8_t> before = mk.Image();
    ASSERT_TRUE(mk.EditSettings([&] {
      Show().OkButton()->click();
      return dialog->result() == QDialog::Accepted;
    })) << "round "
        << round;
    for (device::BlockId block : device::kSettingsBlocks) {
      const device::Record was = [&] {
        device::TMK copy;
        copy.ReplaceImage(mk.DeviceVersion(), before);
        copy.Load(block);
        return copy.Rec(block);
      }();
      const auto& now = mk.Rec(block).Bytes();
      for (std::size_t at = 0; at < now.size(); ++at) {
        if (was.Bytes()[at] == now[at]) continue;
        std::string field = "?";
        for (const device::FieldDef& f : device::BlockDefOf(block).fields) {
          if (at >= f.offset && at < f.offset + f.Size()) field = std::string(f.name);
        }
        ADD_FAILURE() << "round " << round << ": " << device::BlockDefOf(block).name << "." << field
                      << " byte " << at << " " << int{was.Bytes()[at]} << " → " << int{now[at]};
      }
    }
    EXPECT_TRUE(mk.Image() == before) << "round " << round;
  }
}

TEST_F(UnchangedOkTest, OkSaysTheSettingsChangedOnlyAfterAnEdit) {
  for (const bool edit : {false, true}) {
    Load();
    QTimer::singleShot(0, [edit] {
      auto* editor = qobject_cast<TMK_SetParamsDlg*>(QApplication::activeModalWidget());
      ASSERT_NE(editor, nullptr);
      if (edit) editor->findChild<QCheckBox*>("cbSoundKeys")->click();
      editor->OkButton()->click();
    });
    widgets::WindowEnvironment environment;
    environment.dialogs = &prompt;
    const widgets::WindowOutcome outcome = RunSettingsEditor(mk, environment);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.changed, edit);
  }
}

}  // namespace
}  // namespace mk::editor::test
