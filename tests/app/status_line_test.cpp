// SPDX-License-Identifier: GPL-3.0-or-later
// The status line: where the settings held came from and whether they changed
// since; and the window brought back to the front for a second copy.
#include <QLabel>
#include <QPushButton>

#include "app_fixture.h"
#include "settings/pages.h"
#include "text/error.h"

namespace mk::app::test {
namespace {

std::string Status(const TMainForm& form) {
  return tests::FindNamed<QLabel>(form, "StatusLine")->text().toStdString();
}

TEST_F(MainFormTest, TheStatusLineTellsWhereTheSettingsCameFromAndWhetherTheyChanged) {
  mk_ports_ = {3};
  services_.read_settings = [](link::TVL_RS&, device::TMK& mk, link::IProgress&, link::IPump&,
                               device::Connection* found) {
    mk.ReplaceImage(5, LaidOutImage());
    *found = device::Connection{254, 32768, 5};
    return device::TransferResult::Done;
  };
  const std::string file = WriteSettingsFile("мои настройки.vrnkp", 1, LaidOutImage());
  TMainForm& form = Show();
  EXPECT_EQ(Status(form), "Настройки ещё не считаны: считайте их из МК или из файла.");

  dialogs_.open_paths = {file};
  Click("bLoadParams");
  EXPECT_EQ(Status(form), "Настройки из файла «мои настройки.vrnkp» - без изменений");
  EXPECT_EQ(Find<QLabel>("StatusLine")->toolTip().toStdString(), file);

  Click("bEditParams");
  EXPECT_EQ(Status(form), "Настройки из файла «мои настройки.vrnkp» - изменены и не сохранены");

  const std::string saved = (Dir() / "копия.vrnkp").string();
  dialogs_.save_paths = {saved};
  Click("bSaveParams");
  EXPECT_EQ(Status(form), "Настройки сохранены в файл «копия.vrnkp» - без изменений");

  Click("bGetParams");
  EXPECT_EQ(Status(form),
            "Настройки считаны из МК, не сохранены в файл: адрес 254, память 32768 байт, версия "
            "устройства 5");

  // A refused file changes nothing, the line included.
  dialogs_.open_paths = {(Dir() / "missing.vrnkp").string()};
  Click("bLoadParams");
  EXPECT_EQ(Status(form).rfind("Настройки считаны из МК, не сохранены в файл: адрес 254", 0), 0u);
  EXPECT_EQ(form.windowTitle().toStdString(), kCaption) << "the caption stays the classic one";
}

// An exchange log on a full disk is no failure of the read: the status line
// says once that the log is incomplete, its tool tip why; no box interrupts.
TEST_F(MainFormTest, TheStatusLineSaysTheExchangeLogIsIncomplete) {
  WriteIni("[RS232]\nLog=/dev/full\n");
  mk_ports_ = {3};
  services_.read_settings = [](link::TVL_RS&, device::TMK& mk, link::IProgress&, link::IPump&,
                               device::Connection* found) {
    mk.ReplaceImage(5, LaidOutImage());
    *found = device::Connection{254, 32768, 5};
    return device::TransferResult::Done;
  };
  Show();
  Click("bGetParams");
  Click("bGetParams");
  const QLabel* note = Find<QLabel>("LogNote");
  EXPECT_TRUE(note->isVisible());
  EXPECT_EQ(note->text().toStdString(), "Журнал обмена неполон");
  EXPECT_EQ(note->toolTip().toStdString(),
            "Журнал обмена «/dev/full» записан не полностью: нет места на диске.");
  EXPECT_TRUE(dialogs_.errors.empty()) << dialogs_.errors.front();
}

TEST_F(MainFormTest, TakingPagesItsUndoAndAReadOverEditsSayWhatTheyDid) {
  mk_ports_ = {3};
  const std::string held = WriteSettingsFile("held.vrnkp", 1, LaidOutImage(1));
  device::TMK faster;
  faster.ReplaceImage(1, LaidOutImage(1));
  faster.Rec(device::BlockId::Limits).SetInt("VelocityLimit", 50);
  faster.StoreAll();
  const std::string other = WriteSettingsFile("other.vrnkp", 1, faster.Image());
  TMainForm& form = Show();
  dialogs_.open_paths = {held, other};
  Click("bLoadParams");
  dialogs_.change_answers = {ScriptedDialogs::Answer(true)};
  Choose("aTakeFromFile");
  EXPECT_EQ(Status(form).rfind("Из файла «other.vrnkp»: взято настроек 1 ", 0), 0u) << Status(form);
  Choose("aUndoTake");
  EXPECT_EQ(Status(form),
            "«Взять из файла» отменено: настройки те, что были до него. Настройки "
            "из файла «held.vrnkp» - без изменений");
  // Edits dropped with Нет before a read: what is held is the MK's own.
  Click("bEditParams");
  dialogs_.replies = {widgets::Reply::No};
  Click("bGetParams");
  EXPECT_EQ(Status(form).rfind("Настройки считаны из МК, не сохранены в файл: ", 0), 0u)
      << Status(form);
  EXPECT_FALSE(form.IsModified());
}

TEST_F(MainFormTest, TheBackupPathKeepsItsStartAndItsFileNameWithTheWholeOneAsToolTip) {
  mk_ports_ = {3};
  services_.backup_dir = Dir() / std::string(150, 'x') / "копии памяти";
  services_.write_settings = [](link::TVL_RS&, device::TMK&, link::IProgress&, link::IPump&,
                                link::IUserPrompt&, device::Connection*,
                                const device::WriteOptions& options) {
    options.backup(1, LaidOutImage());
    return device::TransferResult::Done;
  };
  const std::string held = WriteSettingsFile("held.vrnkp", 1, LaidOutImage());
  Show();
  dialogs_.open_paths = {held};
  Click("bLoadParams");
  Click("bSetParams");
  const auto* note = Find<QLabel>("lBackup");
  ASSERT_TRUE(note->isVisible());
  const QString full = note->toolTip();
  const QString name = full.section('/', -1);
  EXPECT_TRUE(full.startsWith(QString::fromStdString(services_.backup_dir.string())))
      << full.toStdString();
  const QString shown = note->text().section('\n', 1);
  EXPECT_TRUE(shown.endsWith(name)) << shown.toStdString();
  EXPECT_TRUE(shown.startsWith(full.left(5))) << shown.toStdString();
  EXPECT_LE(note->fontMetrics().horizontalAdvance(shown), note->width());
}

TEST_F(MainFormTest, BringingToTheFrontRestoresAMinimisedWindow) {
  TMainForm& form = Show();
  form.showMinimized();
  QApplication::processEvents();
  form.BringToFront();
  QApplication::processEvents();
  EXPECT_FALSE(form.isMinimized());
  EXPECT_TRUE(form.isVisible());
}

}  // namespace
}  // namespace mk::app::test
