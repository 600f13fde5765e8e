// The status line: where the settings held came from and whether they changed
// since; and the window brought back to the front for a second copy.
#include <QLabel>
#include <QPushButton>

#include "app_fixture.h"
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
            "Настройки считаны из МК: адрес 254, память 32768 байт, версия устройства 5 - без "
            "изменений");

  // A refused file changes nothing, the line included.
  dialogs_.open_paths = {(Dir() / "missing.vrnkp").string()};
  Click("bLoadParams");
  EXPECT_EQ(Status(form).rfind("Настройки считаны из МК: адрес 254", 0), 0u);
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
