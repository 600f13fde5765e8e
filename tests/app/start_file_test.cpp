// SPDX-License-Identifier: GPL-3.0-or-later
// The program's one argument: a settings file opened at start exactly as the
// open dialog would open it, refusals and their messages included.
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QTest>

#include <filesystem>

#include "app/start_options.h"
#include "app_fixture.h"
#include "support/files.h"

namespace mk::app::test {
namespace {

TEST(StartOptions, TheFirstArgumentThatIsNoOptionIsTheFileToOpen) {
  struct Case {
    QStringList args;
    QString file, ini, lock;
    bool help = false, version = false;
  };
  const Case cases[] = {
      {{"mkconfig"}, "", "", ""},
      {{"mkconfig", "/home/u/Настройки МК.vrnkp"}, "/home/u/Настройки МК.vrnkp", "", ""},
      {{"mkconfig", "--ini", "a.ini", "b.vrnkp", "c.vrnkp"}, "b.vrnkp", "a.ini", ""},
      {{"mkconfig", "--lock-name", "x.vrnkp", "--new-option", "C:/d/e.vrnkp"},
       "C:/d/e.vrnkp",
       "",
       "x.vrnkp"},
      {{"mkconfig", "--ini"}, "", "", ""},
      {{"mkconfig", "-h", "a.vrnkp"}, "a.vrnkp", "", "", true},
      {{"mkconfig", "--version", "--help"}, "", "", "", true, true},
  };
  for (const Case& c : cases) {
    const StartOptions options = ParseStartOptions(c.args);
    const QString name = c.args.join(' ');
    EXPECT_EQ(options.settings_file, c.file) << name.toStdString();
    EXPECT_EQ(options.ini, c.ini) << name.toStdString();
    EXPECT_EQ(options.lock_name, c.lock) << name.toStdString();
    EXPECT_EQ(options.help, c.help) << name.toStdString();
    EXPECT_EQ(options.version, c.version) << name.toStdString();
  }
}

using StartFileTest = MainFormTest;

TEST_F(StartFileTest, AGoodFileIsLoadedOnceTheWindowIsUp) {
  const std::string good = WriteSettingsFile("Поездка.vrnkp", 3, LaidOutImage());
  services_.settings_file = good;
  TMainForm& form = Show();
  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_TRUE(DataButtonsEnabled());
  EXPECT_EQ(form.Device()->Image(), LaidOutImage());
  EXPECT_FALSE(form.IsModified());
  EXPECT_TRUE(Find<QLabel>("StatusLine")->text().contains("Поездка.vrnkp"))
      << Find<QLabel>("StatusLine")->text().toStdString();
}

TEST_F(StartFileTest, ARefusedFileSaysWhatTheOpenDialogWouldSay) {
  const auto damaged = Dir() / "damaged.vrnkp";
  tests::WriteBytes(damaged, {0x03, 0x00});
  for (const auto& path : {damaged, Dir() / "missing.vrnkp"}) {
    dialogs_.errors.clear();
    services_.settings_file = path.string();
    Show();
    ASSERT_EQ(dialogs_.errors.size(), 1u) << path;
    EXPECT_TRUE(DataButtonsDisabled()) << path;

    dialogs_.open_paths = {path.string()};
    Click("bLoadParams");
    ASSERT_EQ(dialogs_.errors.size(), 2u) << path;
    EXPECT_EQ(dialogs_.errors[0], dialogs_.errors[1]);
  }
}

// A file a later copy hands over while this one runs: loaded as at start,
// after the question when edits are unsaved, and only once a transfer is over.
TEST_F(StartFileTest, AFileHandedOverByALaterCopyIsLoadedWhenTheWindowIsFree) {
  const struct {
    const char* name;
    bool edited;
    widgets::Reply reply;
    bool during_read;
    bool loaded;
  } cases[] = {
      {"unedited", false, widgets::Reply::No, false, true},
      {"edited, Отмена", true, widgets::Reply::Cancel, false, false},
      {"edited, Нет", true, widgets::Reply::No, false, true},
      {"during a read", false, widgets::Reply::No, true, true},
  };
  mk_ports_ = {3};
  const std::string held = WriteSettingsFile("held.vrnkp", 1, LaidOutImage(1));
  const std::string handed = WriteSettingsFile("Поездка.vrnkp", 1, LaidOutImage(2));
  for (const auto& c : cases) {
    bool busy_then = false;
    services_.read_settings = [&](link::TVL_RS&, device::TMK&, link::IProgress&, link::IPump&,
                                  device::Connection*) {
      form_->OpenHandedFile(handed);
      busy_then = form_->Device()->Image() == LaidOutImage(1);
      return device::TransferResult::Done;
    };
    TMainForm& form = Show();
    dialogs_.questions.clear();
    dialogs_.open_paths = {held};
    Click("bLoadParams");
    if (c.edited) Click("bEditParams");
    dialogs_.replies = {c.reply};
    if (c.during_read) {
      Click("bGetParams");
      EXPECT_TRUE(busy_then) << c.name << ": not while the read runs";
      QTest::qWait(400);
    } else {
      form.OpenHandedFile(handed);
    }
    EXPECT_EQ(form.Device()->Image() == LaidOutImage(2), c.loaded) << c.name;
    EXPECT_EQ(dialogs_.questions.size(), c.edited ? 1u : 0u) << c.name;
    EXPECT_EQ(Find<QLabel>("StatusLine")->text().contains("Поездка.vrnkp"), c.loaded) << c.name;
    dialogs_.replies = {widgets::Reply::No};
    form_.reset();
  }
}

// A tank file holds only the calibration: it opens in the editor over held
// settings (whatever is edited stays), and with none held the status line
// says why nothing opened.
TEST_F(StartFileTest, ATankFileOpensInTheEditorOverHeldSettings) {
  const std::string tank = (Dir() / "Бак.VRNKO").string();
  std::vector<std::string> opened_with;
  services_.edit_dialog = [&](device::TMK&, const widgets::WindowEnvironment& at) {
    opened_with.push_back(at.tank_file);
    return widgets::WindowOutcome{.accepted = true, .changed = true};
  };
  services_.settings_file = tank;
  TMainForm& form = Show();
  EXPECT_TRUE(opened_with.empty());
  EXPECT_TRUE(dialogs_.errors.empty());
  EXPECT_TRUE(
      Find<QLabel>("StatusLine")->text().startsWith("Файл настроек бака «Бак.VRNKO» не открыт"))
      << Find<QLabel>("StatusLine")->text().toStdString();

  dialogs_.open_paths = {WriteSettingsFile("held.vrnkp", 1, LaidOutImage(1))};
  Click("bLoadParams");
  Click("bEditParams");
  form.OpenHandedFile(tank);
  EXPECT_EQ(opened_with, (std::vector<std::string>{"", tank}));
  EXPECT_TRUE(dialogs_.questions.empty()) << "nothing held is dropped";
  EXPECT_TRUE(form.IsModified());
  EXPECT_TRUE(Find<QLabel>("StatusLine")->text().contains("held.vrnkp"));
}

}  // namespace
}  // namespace mk::app::test
