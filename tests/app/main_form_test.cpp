// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's workflow: which buttons work when, what each box says,
// and what a read, load, save, edit, write and close leave behind.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <filesystem>
#include <fstream>

#include "app/progress_form.h"
#include "app_fixture.h"
#include "link/vl_rs.h"
#include "support/files.h"
#include "support/named_controls.h"
#include "text/error.h"

namespace mk::app::test {
namespace {

constexpr const char* kNoMk = "Не вижу МК.";

TEST_F(MainFormTest, StartsWithEveryControlAndTheDataButtonsOff) {
  TMainForm& form = Show();
  EXPECT_EQ(form.windowTitle().toStdString(), kCaption);
  for (const char* name :
       {"Label5",    "cbAuto",      "bRS232",      "GroupBox1",   "GroupBox2",
        "GroupBox3", "GroupBox4",   "GroupBox5",   "GroupBox6",   "Label1",
        "Label2",    "Label3",      "Label4",      "Label6",      "Label7",
        "Label8",    "bGetParams",  "bLoadParams", "bEditParams", "bViewJournals",
        "bViewOsc",  "bSaveParams", "bSetParams",  "lMZ",         "Image1"})
    Find<QWidget>(name);
  EXPECT_EQ(Find<QGroupBox>("GroupBox5")->title().toStdString(), "Шаг 2a");
  EXPECT_EQ(Find("bRS232")->text().remove('&').toStdString(), "Выбрать СОМ-порт вручную");
  EXPECT_TRUE(DataButtonsDisabled());
  EXPECT_TRUE(Find("bGetParams")->isEnabled());
  EXPECT_TRUE(Find("bLoadParams")->isEnabled());
  EXPECT_FALSE(Find<QLabel>("lMZ")->isVisible());
  EXPECT_EQ(Find<QLabel>("Image1")->size(), QSize(240, 40));
  // Automatic search is on by default, so the manual choice is off.
  EXPECT_TRUE(Find<QCheckBox>("cbAuto")->isChecked());
  EXPECT_FALSE(Find("bRS232")->isEnabled());
  EXPECT_FALSE(form.IsModified());
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_GE(form.width(), 810);
  EXPECT_GE(form.height(), 401);
}

TEST_F(MainFormTest, CheckBoxSwitchesTheManualPortButton) {
  Show();
  Click("cbAuto");
  EXPECT_FALSE(Find<QCheckBox>("cbAuto")->isChecked());
  EXPECT_TRUE(Find("bRS232")->isEnabled());
  Click("cbAuto");
  EXPECT_TRUE(Find<QCheckBox>("cbAuto")->isChecked());
  EXPECT_FALSE(Find("bRS232")->isEnabled());
}

TEST_F(MainFormTest, ReadEnablesTheDataButtonsAndLeavesModifiedAlone) {
  mk_ports_ = {3};
  TMainForm& form = Show();
  Click("bGetParams");
  EXPECT_EQ(reads_, 1);
  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_TRUE(DataButtonsEnabled());
  EXPECT_EQ(form.Channel()->PortNumber(), 3);
  // The port is open only for the transfer.
  EXPECT_FALSE(form.Channel()->IsOpen());
  EXPECT_FALSE(form.IsModified());
}

TEST_F(MainFormTest, FailedReadShowsTheLinkTextAndKeepsWhatWasHeld) {
  mk_ports_ = {3};
  services_.read_settings = [this](link::TVL_RS&, device::TMK& mk, link::IProgress&, link::IPump&,
                                   device::Connection*) {
    if (++reads_ > 1) throw Error(link::kNoLink);
    mk.ReplaceImage(4, LaidOutImage(2));
    return device::TransferResult::Done;
  };
  TMainForm& form = Show();
  Click("bGetParams");
  Click("bGetParams");
  EXPECT_EQ(dialogs_.errors, std::vector<std::string>{link::kNoLink});
  EXPECT_TRUE(DataButtonsEnabled()) << "the settings of the first read are still held";
  EXPECT_EQ(form.Device()->Image(), LaidOutImage(2));
  EXPECT_EQ(VisibleProgressForm(), nullptr);
  EXPECT_FALSE(form.Channel()->IsOpen());
}

TEST_F(MainFormTest, AFailedFirstReadLeavesTheDataButtonsOff) {
  mk_ports_ = {3};
  services_.read_settings = [](link::TVL_RS&, device::TMK&, link::IProgress&, link::IPump&,
                               device::Connection*) -> device::TransferResult {
    throw Error(link::kNoLink);
  };
  Show();
  Click("bGetParams");
  EXPECT_EQ(dialogs_.errors, std::vector<std::string>{link::kNoLink});
  EXPECT_TRUE(DataButtonsDisabled());
}

TEST_F(MainFormTest, CancelWhileConnectingLeavesNoMessageAndBlocksTheWindowMeanwhile) {
  mk_ports_ = {3};
  bool cancel = false;
  bool checked = false;
  services_.read_settings = [&](link::TVL_RS&, device::TMK&, link::IProgress& progress,
                                link::IPump&, device::Connection*) {
    ++reads_;
    if (!cancel) return device::TransferResult::Done;
    TProgressForm* shown = VisibleProgressForm();
    EXPECT_NE(shown, nullptr);
    if (shown == nullptr) return device::TransferResult::Cancelled;
    EXPECT_EQ(shown->windowTitle().toStdString(), "Progress...");
    EXPECT_EQ(tests::FindNamed<QLabel>(*shown, "ProgressLabel")->text().toStdString(), kConnecting);
    EXPECT_FALSE(tests::FindNamed<QProgressBar>(*shown, "ProgressGauge")->isVisible());
    EXPECT_TRUE(tests::FindNamed<QPushButton>(*shown, "BitBtn1")->isVisible());
    EXPECT_TRUE(shown->windowFlags() & Qt::WindowStaysOnTopHint);
    // A second click while the transfer runs must not start another one,
    // nor the menu's compare with the MK, which lies outside the blocked controls.
    EXPECT_FALSE(form_->centralWidget()->isEnabled());
    Click("bGetParams");
    Click("bSetParams");
    Choose("aCompareMk");
    EXPECT_EQ(reads_, 1 + 1);
    EXPECT_EQ(writes_, 0);
    tests::FindNamed<QPushButton>(*shown, "BitBtn1")->click();
    checked = progress.Cancelled();
    return device::TransferResult::Cancelled;
  };
  TMainForm& form = Show();
  Click("bGetParams");
  ASSERT_TRUE(DataButtonsEnabled());
  cancel = true;
  Click("bGetParams");
  EXPECT_TRUE(checked);
  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_TRUE(dialogs_.infos.empty());
  EXPECT_TRUE(DataButtonsEnabled());
  EXPECT_TRUE(form.centralWidget()->isEnabled());
  EXPECT_FALSE(Find("bRS232")->isEnabled());
  EXPECT_TRUE(Find("bGetParams")->isEnabled());
  EXPECT_FALSE(form.Busy());
}

TEST_F(MainFormTest, ClosingDuringATransferWaitsForItsEnd) {
  mk_ports_ = {3};
  bool refused = false;
  services_.read_settings = [&](link::TVL_RS&, device::TMK&, link::IProgress&, link::IPump&,
                                device::Connection*) {
    refused = !form_->close();
    return device::TransferResult::Done;
  };
  TMainForm& form = Show();
  Click("bGetParams");
  EXPECT_TRUE(refused);
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(form.close());
  EXPECT_NE(ReadIni().find("[MainWindow]"), std::string::npos);
}

TEST_F(MainFormTest, AutomaticSearchWithoutTheMkTransfersNothing) {
  Show();
  // No device; a number the channel cannot hold; a port that is not present.
  for (const std::vector<int>& found : {std::vector<int>{}, {33}, {0}, {5}}) {
    mk_ports_ = found;
    dialogs_.errors.clear();
    Click("bGetParams");
    EXPECT_EQ(dialogs_.errors, std::vector<std::string>{kNoMk});
    // As if settings were held: the write searches the same way.
    Find("bSetParams")->setEnabled(true);
    dialogs_.errors.clear();
    Click("bSetParams");
    EXPECT_EQ(dialogs_.errors, std::vector<std::string>{kNoMk});
  }
  EXPECT_EQ(reads_, 0);
  EXPECT_EQ(writes_, 0);
}

TEST_F(MainFormTest, TheNoMkBoxCarriesTheConnectionCheckBehindItsDetails) {
  int checks = 0;
  services_.connection_check = [&] {
    ++checks;
    return std::string("Проверено:\n  USB: МК (04D8:000A) — не найден\n");
  };
  Show();
  Click("bGetParams");
  EXPECT_EQ(dialogs_.errors, std::vector<std::string>{kNoMk}) << "the message itself is unchanged";
  EXPECT_EQ(dialogs_.error_details,
            std::vector<std::string>{"Проверено:\n  USB: МК (04D8:000A) — не найден\n"});
  EXPECT_EQ(checks, 1);

  // With the MK found nothing is checked.
  mk_ports_ = {3};
  Click("bGetParams");
  EXPECT_EQ(checks, 1);
  EXPECT_EQ(reads_, 1);
}

TEST_F(MainFormTest, SearchTakesTheFirstMkPortThatIsPresent) {
  mk_ports_ = {7, 3};
  TMainForm& form = Show();
  Click("bGetParams");
  EXPECT_EQ(reads_, 1);
  EXPECT_EQ(form.Channel()->PortNumber(), 3);
  EXPECT_TRUE(dialogs_.errors.empty());
}

TEST_F(MainFormTest, ManualPortSkipsTheSearch) {
  WriteIni("[RS232]\r\nPort=3\r\n[Common]\r\nAuto=0\r\n");
  TMainForm& form = Show();
  EXPECT_FALSE(Find<QCheckBox>("cbAuto")->isChecked());
  EXPECT_TRUE(Find("bRS232")->isEnabled());
  EXPECT_EQ(form.Channel()->PortNumber(), 3);
  Click("bGetParams");
  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_EQ(reads_, 1);
}

TEST_F(MainFormTest, LoadEnablesTheDataButtons) {
  const std::string good = WriteSettingsFile("good.vrnkp", 3, LaidOutImage());
  TMainForm& form = Show();

  dialogs_.open_paths = {std::nullopt};
  Click("bLoadParams");
  EXPECT_TRUE(DataButtonsDisabled());
  EXPECT_EQ(dialogs_.open_folders, std::vector<std::string>{Dir().string()});

  dialogs_.open_paths = {good};
  Click("bLoadParams");
  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_TRUE(DataButtonsEnabled());
  EXPECT_EQ(form.Device()->DeviceVersion(), 3);
  EXPECT_EQ(form.Device()->Image(), LaidOutImage());
}

// Cut, random, text, tiny and oversized files are refused with what is wrong;
// the settings held before, the buttons and Modified stay exactly as they were.
TEST_F(MainFormTest, ADamagedFileIsRefusedAndWhatWasHeldStays) {
  const std::vector<std::uint8_t> image = LaidOutImage(3);
  const std::string good = WriteSettingsFile("good.vrnkp", 3, image);
  const auto bytes = tests::ReadBytes(good);
  std::vector<std::uint8_t> random(8130);
  std::uint32_t x = 77;
  for (auto& b : random) b = static_cast<std::uint8_t>((x = x * 1664525 + 1013904223) >> 24);
  const std::string text = "This is not a settings file, sorry!";
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
  };
  const Case cases[] = {
      {"cut", {bytes.begin(), bytes.begin() + 2000}},
      {"random", random},
      {"text", {text.begin(), text.end()}},
      {"two bytes", {0x03, 0x00}},
      {"empty", {}},
      {"big", std::vector<std::uint8_t>(40000, 1)},
  };
  services_.edit_dialog = Window([](device::TMK& mk) {
    mk.Rec(device::BlockId::Limits).SetInt("VelocityLimit", 61);
    return true;
  });
  TMainForm& form = Show();

  for (bool held : {false, true}) {
    if (held) {
      dialogs_.open_paths = {good};
      Click("bLoadParams");
      Click("bEditParams");
      ASSERT_TRUE(form.IsModified());
    }
    const std::vector<std::uint8_t> before = form.Device()->Image();
    const auto limits = form.Device()->Rec(device::BlockId::Limits).Bytes();
    for (const Case& c : cases) {
      const auto path = Dir() / (std::string(c.name) + ".vrnkp");
      tests::WriteBytes(path, c.bytes);
      dialogs_.errors.clear();
      dialogs_.open_paths = {path.string()};
      Click("bLoadParams");
      ASSERT_EQ(dialogs_.errors.size(), 1u) << c.name;
      EXPECT_EQ(dialogs_.errors[0].rfind("Файл настроек повреждён: ", 0), 0u)
          << c.name << ": " << dialogs_.errors[0];
      EXPECT_EQ(DataButtonsEnabled(), held) << c.name;
      EXPECT_EQ(DataButtonsDisabled(), !held) << c.name;
      EXPECT_EQ(form.IsModified(), held) << c.name;
      EXPECT_EQ(form.Device()->Image(), before) << c.name;
      EXPECT_EQ(form.Device()->Rec(device::BlockId::Limits).Bytes(), limits) << c.name;
    }
  }
  dialogs_.errors.clear();
  dialogs_.open_paths = {(Dir() / "missing.vrnkp").string()};
  Click("bLoadParams");
  EXPECT_EQ(dialogs_.errors.size(), 1u);
  EXPECT_TRUE(DataButtonsEnabled()) << "a file that cannot be read changes nothing either";
}

TEST_F(MainFormTest, EditOkMarksModifiedAndSaveClearsIt) {
  bool ok = false;
  services_.edit_dialog = Window([&ok](device::TMK&) { return ok; });
  const std::string good = WriteSettingsFile("good.vrnkp", 1, LaidOutImage());
  TMainForm& form = Show();
  dialogs_.open_paths = {good};
  Click("bLoadParams");

  Click("bEditParams");
  EXPECT_FALSE(form.IsModified());
  ok = true;
  Click("bEditParams");
  EXPECT_TRUE(form.IsModified());

  const std::string saved = (Dir() / "saved.vrnkp").string();
  dialogs_.save_paths = {saved};
  Click("bSaveParams");
  EXPECT_TRUE(std::filesystem::exists(saved));
  EXPECT_TRUE(dialogs_.questions.empty());
  EXPECT_FALSE(form.IsModified());
  EXPECT_TRUE(DataButtonsEnabled());
  EXPECT_EQ(dialogs_.save_folders, std::vector<std::string>{Dir().string()});
}

TEST_F(MainFormTest, SavingOverAFileAsksAndOnlyYesReplacesIt) {
  const std::string good = WriteSettingsFile("good.vrnkp", 1, LaidOutImage());
  const std::string old = (Dir() / "old.vrnkp").string();
  std::ofstream(old, std::ios::binary) << "old contents";
  TMainForm& form = Show();
  dialogs_.open_paths = {good};
  Click("bLoadParams");
  Click("bEditParams");
  ASSERT_TRUE(form.IsModified());

  dialogs_.save_paths = {old};
  dialogs_.answers = {false};
  Click("bSaveParams");
  EXPECT_EQ(dialogs_.questions, std::vector<std::string>{kOverwriteQuestion});
  EXPECT_EQ(tests::ReadText(old), "old contents");
  EXPECT_TRUE(form.IsModified());

  dialogs_.save_paths = {old};
  dialogs_.answers = {true};
  Click("bSaveParams");
  EXPECT_EQ(tests::ReadText(old), tests::ReadText(good));
  EXPECT_FALSE(form.IsModified());
}

TEST_F(MainFormTest, FailedSaveKeepsTheEditsMarkedUnsaved) {
  const std::string good = WriteSettingsFile("good.vrnkp", 1, LaidOutImage());
  TMainForm& form = Show();
  dialogs_.open_paths = {good};
  Click("bLoadParams");
  Click("bEditParams");
  dialogs_.save_paths = {(Dir() / "no such folder" / "x.vrnkp").string()};
  Click("bSaveParams");
  EXPECT_EQ(dialogs_.errors.size(), 1u);
  EXPECT_TRUE(form.IsModified());
}

TEST_F(MainFormTest, ReadWithUnsavedEditsOffersToSaveFirst) {
  mk_ports_ = {1};
  const std::string good = WriteSettingsFile("good.vrnkp", 1, LaidOutImage());
  Show();
  dialogs_.open_paths = {good};
  Click("bLoadParams");
  Click("bEditParams");
  dialogs_.replies = {widgets::Reply::Yes};
  dialogs_.save_paths = {(Dir() / "saved.vrnkp").string()};
  Click("bGetParams");
  EXPECT_EQ(dialogs_.questions, std::vector<std::string>{kUnsavedQuestion});
  EXPECT_EQ(dialogs_.save_folders.size(), 1u);
  EXPECT_EQ(reads_, 1);
  // Writing asks nothing.
  dialogs_.questions.clear();
  Click("bSetParams");
  EXPECT_TRUE(dialogs_.questions.empty());
  EXPECT_EQ(writes_, 1);
}

TEST_F(MainFormTest, CloseAsksOnceAndNoClosesWithoutSaving) {
  const std::string good = WriteSettingsFile("good.vrnkp", 1, LaidOutImage());
  TMainForm& form = Show();
  dialogs_.open_paths = {good};
  Click("bLoadParams");
  Click("bEditParams");
  dialogs_.replies = {widgets::Reply::No};
  EXPECT_TRUE(form.close());
  form.close();
  EXPECT_EQ(dialogs_.questions, std::vector<std::string>{kUnsavedQuestion});
  EXPECT_TRUE(dialogs_.save_folders.empty());
  EXPECT_FALSE(form.isVisible());
}

TEST_F(MainFormTest, WriteErrorIsShownAndChangesNeitherButtonsNorModified) {
  mk_ports_ = {3};
  services_.write_settings = [](link::TVL_RS&, device::TMK&, link::IProgress&, link::IPump&,
                                link::IUserPrompt&, device::Connection*,
                                const device::WriteOptions&) -> device::TransferResult {
    throw Error(link::kExchangeError);
  };
  const std::string good = WriteSettingsFile("good.vrnkp", 1, LaidOutImage());
  TMainForm& form = Show();
  dialogs_.open_paths = {good};
  Click("bLoadParams");
  Click("bEditParams");
  Click("bSetParams");
  EXPECT_EQ(dialogs_.errors, std::vector<std::string>{link::kExchangeError});
  EXPECT_TRUE(DataButtonsEnabled());
  EXPECT_TRUE(form.IsModified());
  EXPECT_EQ(VisibleProgressForm(), nullptr);
}

}  // namespace
}  // namespace mk::app::test
