// SPDX-License-Identifier: GPL-3.0-or-later
// The editor and the viewers as the main window opens them: one environment
// for all three, and what their outcome does to the held settings.
#include <string>
#include <vector>

#include "app_fixture.h"
#include "device/block_tables.h"
#include "sim/factory_image.h"

namespace mk::app::test {
namespace {

using widgets::WindowEnvironment;
using widgets::WindowOutcome;

class OpenedWindowsTest : public MainFormTest {
 protected:
  /// Every window the main window runs records its environment and closes with `outcome`.
  void Answer(WindowOutcome outcome) {
    const auto run = [this, outcome](device::TMK&, const WindowEnvironment& environment) {
      seen_.push_back(environment);
      return outcome;
    };
    services_.edit_dialog = services_.journals_dialog = services_.osc_dialog = run;
  }
  /// Loads the factory settings of an MK with `firmware_version` as the open dialog would.
  void Load(std::uint8_t firmware_version) {
    std::vector<std::uint8_t> image = sim::ImageFromMemory(sim::FactoryMemory(8192));
    image[device::BlockDirectory::kFirmwareVersionOffset] = firmware_version;
    dialogs_.open_paths = {WriteSettingsFile("held.vrnkp", firmware_version, image)};
    Click("bLoadParams");
  }
  std::vector<WindowEnvironment> seen_;
};

TEST_F(OpenedWindowsTest, EachOpensOverTheWindowWithItsBoxesAndKeptChangesMarkTheSettings) {
  struct Case {
    const char* button;
    WindowOutcome outcome;
    bool modified;
  };
  const Case cases[] = {
      {"bEditParams", {.accepted = true, .changed = true}, true},
      {"bEditParams", {.accepted = false, .changed = false}, false},
      {"bViewJournals", {.accepted = true, .changed = false}, false},
      {"bViewJournals", {.accepted = true, .changed = true}, true},
      {"bViewOsc", {.accepted = true, .changed = false}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.button) + (c.outcome.changed ? " changed" : " unchanged"));
    Answer(c.outcome);
    seen_.clear();
    TMainForm& form = Show();
    Load(1);
    Click(c.button);
    ASSERT_EQ(seen_.size(), 1u);
    EXPECT_EQ(seen_[0].parent, &form);
    EXPECT_EQ(seen_[0].dialogs, &dialogs_);
    EXPECT_EQ(seen_[0].folder, Dir().string()) << "where the file was loaded from";
    EXPECT_EQ(seen_[0].focus, "");
    EXPECT_EQ(form.IsModified(), c.modified);
    form_.reset();
  }
}

TEST_F(OpenedWindowsTest, AVariantWithoutOscilloscopeGetsTheMessageAndNoWindow) {
  Answer({.accepted = true, .changed = false});
  Show();
  dialogs_.errors.clear();  // no MK at start, which the window says

  Load(2);  // the hybrid with lights
  Click("bViewOsc");
  EXPECT_TRUE(seen_.empty());
  ASSERT_EQ(dialogs_.errors.size(), 1u);
  EXPECT_EQ(dialogs_.errors[0], "В данной версии МК оцилллограф не поддерживается.");

  Load(1);
  Click("bViewOsc");
  EXPECT_EQ(seen_.size(), 1u);
  EXPECT_EQ(dialogs_.errors.size(), 1u);
}

}  // namespace
}  // namespace mk::app::test
