// SPDX-License-Identifier: GPL-3.0-or-later
// The journals window over the virtual MK's factory image, with scripted
// boxes and dialogs and a comma as the decimal separator.
#pragma once

#include <gtest/gtest.h>

#include <QLocale>
#include <QTableWidget>

#include <memory>
#include <string>

#include "device/mk.h"
#include "sim/factory_image.h"
#include "support/named_controls.h"
#include "support/scripted_dialogs.h"
#include "viewers/journals_dlg.h"
#include "viewers/journals_grid.h"

namespace mk::viewers::test {

inline constexpr const char* kProgramFolder = "/opt/mk";

/// The window's grid (or page, button, label) named `name`: its object name.
template <typename T = QTableWidget>
T* Named(const QObject& window, const char* name) {
  return tests::FindNamed<T>(window, name);
}

class JournalsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    mk.ReplaceImage(1, sim::ImageFromMemory(sim::FactoryMemory(8192)));
  }
  void TearDown() override { QLocale::setDefault(QLocale::c()); }

  /// The window, shown (which fills it) as the journals transaction shows it.
  TMK_ViewJournalsDlg& Open() {
    window = std::make_unique<TMK_ViewJournalsDlg>(mk, dialogs, kProgramFolder, nullptr, ',');
    window->show();
    return *window;
  }

  static std::string Cell(const QTableWidget* grid, int row, int col) {
    return CellText(grid, row, col).toStdString();
  }

  device::TMK mk;
  widgets::test::ScriptedDialogs dialogs;
  std::unique_ptr<TMK_ViewJournalsDlg> window;
};

}  // namespace mk::viewers::test
