// SPDX-License-Identifier: GPL-3.0-or-later
// The main window comes back active after the windows it opened, and the
// program's font is a face the system has, never a serif fallback.
#include <QPushButton>
#include <QTest>

#include "app/system_font.h"
#include "app_fixture.h"

namespace mk::app::test {
namespace {

TEST_F(MainFormTest, TheWindowIsActiveAgainOnceTheWindowsItOpenedAreGone) {
  // Each opened window takes the focus and leaves without giving it back.
  const widgets::WindowRun elsewhere = [](device::TMK&, const widgets::WindowEnvironment&) {
    QWidget other;
    other.show();
    other.activateWindow();
    QApplication::processEvents();
    return widgets::WindowOutcome{.accepted = false, .changed = false};
  };
  services_.edit_dialog = services_.journals_dialog = services_.osc_dialog = elsewhere;
  const std::string good = WriteSettingsFile("good.vrnkp", 1, LaidOutImage());
  TMainForm& form = Show();
  dialogs_.open_paths = {good};
  Click("bLoadParams");
  for (const char* button : {"bEditParams", "bViewJournals", "bViewOsc"}) {
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    Click(button);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&form, 2000)) << button;
  }
}

TEST(SystemFont, TheFamilyIsOneTheSystemHas) {
  const struct {
    const char* wanted;
    QStringList installed;
    const char* chosen;
  } cases[] = {
      {"Segoe UI", {"Arial", "segoe ui"}, "Segoe UI"},
      {"MS Shell Dlg 2", {"Times New Roman", "Tahoma", "Arial"}, "Tahoma"},
      {"Segoe UI", {"Liberation Serif", "DejaVu Sans"}, "DejaVu Sans"},
      {"Segoe UI", {"Liberation Serif"}, "Segoe UI"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ChooseUiFamily(c.wanted, c.installed).toStdString(), c.chosen) << c.wanted;
  }
}

}  // namespace
}  // namespace mk::app::test
