// SPDX-License-Identifier: GPL-3.0-or-later
// A device model holding the virtual MK's factory image, and the settings
// editor shown over it offscreen, with its boxes recorded instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "device/mk.h"
#include "editor/tmk_set_params_dlg.h"
#include "sim/factory_image.h"
#include "support/scripted_dialogs.h"

namespace mk::editor::test {

/// Where the editor's file dialogs start in the tests.
inline constexpr const char* kFileFolder = "/home/user/Документы";

/// The factory image of a 32 KB MK, with the firmware variant byte set to
/// `firmware` (an unknown pair gets the permissive variant).
inline std::vector<std::uint8_t> FactoryImage(
    std::uint32_t firmware = sim::kFactoryFirmwareVersion) {
  auto image = sim::ImageFromMemory(sim::FactoryMemory(32768));
  for (int i = 0; i < 4; ++i) image[60 + i] = static_cast<std::uint8_t>(firmware >> (8 * i));
  return image;
}

class EditorTest : public ::testing::Test {
 protected:
  /// Loads an image of `device_version` and `firmware`, as the edit transaction would.
  void Load(std::uint16_t device_version = 1, std::uint32_t firmware = 0) {
    mk.ReplaceImage(device_version, FactoryImage(firmware));
    for (device::BlockId block : device::kSettingsBlocks) mk.Load(block);
    mk.RebuildCatalogues(device::CatalogueStep::Protocols);
    mk.RebuildCatalogues(device::CatalogueStep::ParametersAndMenu);
  }

  /// A new editor, shown (the opening sequence runs) but not modal.
  TMK_SetParamsDlg& Show() {
    dialog = std::make_unique<TMK_SetParamsDlg>(mk, prompt, nullptr, kFileFolder);
    dialog->show();
    QApplication::processEvents();
    return *dialog;
  }

  template <typename W>
  W* Find(const char* name) {
    auto* widget = dialog->findChild<W*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  /// Types into a control as a user does: select what it holds (a date's day),
  /// type, nothing else.
  void Type(QWidget* control, const QString& text) {
    control->setFocus();
    if (auto* date = qobject_cast<QDateEdit*>(control)) {
      date->setSelectedSection(QDateTimeEdit::DaySection);
      QTest::keyClicks(date, text);
      return;
    }
    auto* edit = control->findChild<QLineEdit*>();
    if (edit == nullptr) edit = qobject_cast<QLineEdit*>(control);
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }

  device::TMK mk;
  widgets::test::ScriptedDialogs prompt;
  std::unique_ptr<TMK_SetParamsDlg> dialog;
};

}  // namespace mk::editor::test
