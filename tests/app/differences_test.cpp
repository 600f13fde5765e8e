// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's differences: where the file dialogs start, restoring a
// backup, taking pages of another file and comparing with it.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QUrl>

#include <fstream>

#include <regex>

#include "app_fixture.h"
#include "device/backup_store.h"
#include "device/block_tables.h"
#include "device/mk.h"
#include "device/settings_file.h"
#include "settings/setting_table.h"
#include "support/files.h"
#include "support/laid_out_image.h"

namespace mk::app::test {
using widgets::ChangesAnswer;
using widgets::ChangesPurpose;
using widgets::ChangesView;

namespace {

namespace fs = std::filesystem;
using device::BlockId;
using tests::ImageWithVelocityLimit;

TEST_F(MainFormTest, FileDialogsStartInTheDocumentsThenWhereTheUserLastWas) {
  services_.program_dir = Dir() / "program";
  services_.documents_dir = Dir() / "documents";
  fs::create_directories(Dir() / "documents");
  fs::create_directories(Dir() / "cars");
  const std::string file = (Dir() / "cars" / "a.vrnkp").string();
  tests::WriteBytes(file, device::EncodeSettingsFile(515, LaidOutImage()));
  Show();

  dialogs_.open_paths = {file};
  Click("bLoadParams");
  Click("bSaveParams");  // cancelled
  EXPECT_EQ(dialogs_.open_folders, std::vector<std::string>{(Dir() / "documents").string()});
  EXPECT_EQ(dialogs_.save_folders, std::vector<std::string>{(Dir() / "cars").string()});
  ASSERT_EQ(dialogs_.save_names.size(), 1u);
  EXPECT_TRUE(std::regex_match(dialogs_.save_names[0],
                               std::regex("МК-v515-20\\d\\d-\\d\\d-\\d\\d\\.vrnkp")))
      << dialogs_.save_names[0];

  // The folder outlives the program, in the preferences.
  form_->close();
  form_.reset();
  EXPECT_NE(ReadIni().find("Folder=" + (Dir() / "cars").string()), std::string::npos) << ReadIni();
  Show();
  Click("bLoadParams");
  EXPECT_EQ(dialogs_.open_folders.back(), (Dir() / "cars").string());
  EXPECT_EQ(Find("bLoadParams")->toolTip().toStdString(),
            "Считать настройки из файла на диске (Ctrl+O)");
}

TEST_F(MainFormTest, ADroppedSettingsFileLoadsAsIfOpenedAndOtherDropsAreRefused) {
  const std::string file = WriteSettingsFile("dropped.vrnkp", 7, LaidOutImage());
  const std::string text = (Dir() / "notes.txt").string();
  tests::WriteBytes(text, {'x'});
  TMainForm& form = Show();
  const auto drop = [&form](const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &enter);
    QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&form, &event);
    return enter.isAccepted();
  };
  EXPECT_FALSE(drop(text));
  EXPECT_TRUE(DataButtonsDisabled());
  EXPECT_TRUE(drop(file));
  EXPECT_TRUE(DataButtonsEnabled());
  EXPECT_EQ(form.Device()->DeviceVersion(), 7);
  EXPECT_TRUE(Find<QLabel>("StatusLine")->text().contains("dropped.vrnkp"));
}

TEST_F(MainFormTest, ARestoredBackupIsHeldAsChangedAfterItsDifferencesAreShown) {
  device::BackupStore store(Dir() / "backups");
  std::vector<std::uint8_t> backup = ImageWithVelocityLimit(50);
  backup.back() ^= 1;  // memory no setting covers: a line of its own in the list
  store.Save(3, backup);
  const std::string held = WriteSettingsFile("held.vrnkp", 3, ImageWithVelocityLimit(60));
  TMainForm& form = Show();
  dialogs_.open_paths = {held};
  Click("bLoadParams");

  dialogs_.backup_choice = std::nullopt;
  Choose("aRestore");
  ASSERT_EQ(dialogs_.backup_lists.size(), 1u);
  ASSERT_EQ(dialogs_.backup_lists[0].size(), 1u);
  EXPECT_EQ(dialogs_.backup_lists[0][0].version, "3");
  EXPECT_EQ(dialogs_.backup_lists[0][0].memory, "8192");
  EXPECT_EQ(dialogs_.backup_lists[0][0].differing, "2");
  EXPECT_TRUE(dialogs_.changes.empty()) << "cancelled at the list";

  dialogs_.backup_choice = 0;
  dialogs_.change_answers = {ScriptedDialogs::Answer(false), ScriptedDialogs::Answer(true)};
  Choose("aRestore");
  EXPECT_EQ(form.Device()->Rec(BlockId::Limits).GetInt("VelocityLimit"), 60) << "cancelled";
  EXPECT_FALSE(form.IsModified());
  Choose("aRestore");
  ASSERT_EQ(dialogs_.changes.size(), 2u);
  EXPECT_EQ(dialogs_.changes[1].purpose, ChangesPurpose::Restore);
  ASSERT_EQ(dialogs_.changes[1].diff.changes.size(), 1u);
  EXPECT_EQ(settings::LineOf(dialogs_.changes[1].diff.changes[0]),
            "Границы / Скорость, км/час: 120 → 100");
  EXPECT_EQ(form.Device()->Image(), backup);
  EXPECT_EQ(LinesOf(dialogs_.changes[1].diff).size(), 2u) << "as many as the list counted";
  EXPECT_TRUE(form.IsModified());
  EXPECT_TRUE(DataButtonsEnabled());
}

TEST_F(MainFormTest, TakingChangesOnlyTheTickedSettingsAndUndoesAsOne) {
  const std::string held = WriteSettingsFile("held.vrnkp", 3, ImageWithVelocityLimit(60, 0));
  const std::string other = WriteSettingsFile("other.vrnkp", 3, ImageWithVelocityLimit(50, 495));
  TMainForm& form = Show();
  // "Взять из файла" and the compare window's "Взять отмеченные".
  for (const auto& [action, purpose] : {std::pair{"aTakeFromFile", ChangesPurpose::Take},
                                        std::pair{"aCompareFile", ChangesPurpose::Compare}}) {
    dialogs_.changes.clear();
    dialogs_.open_paths = {held, other};
    Click("bLoadParams");
    dialogs_.change_answers = {
        ScriptedDialogs::Answer(true, {settings::FindSetting("seVelocityLimit")})};
    Choose(action);
    ASSERT_EQ(dialogs_.changes.size(), 1u) << action;
    EXPECT_EQ(dialogs_.changes[0].purpose, purpose);
    EXPECT_EQ(dialogs_.changes[0].diff.changes.size(), 2u) << "both pages offered";
    const device::TMK& mk = *form.Device();
    EXPECT_EQ(mk.Rec(BlockId::Display).GetInt("IntenseDayTime"), 495) << action;
    EXPECT_EQ(mk.Rec(BlockId::Limits).GetInt("VelocityLimit"), 60) << action;
    EXPECT_TRUE(form.IsModified());
    EXPECT_EQ(mk.Image(), ImageWithVelocityLimit(60, 495)) << "in the image too";

    Choose("aUndoTake");
    EXPECT_EQ(form.Device()->Image(), ImageWithVelocityLimit(60, 0));
    EXPECT_FALSE(form.IsModified());
    EXPECT_FALSE(Find<QAction>("aUndoTake")->isEnabled());
  }
}

// The undo of a take brings back the image it was taken into: never over
// settings that replaced it, nor over edits made after it.
TEST_F(MainFormTest, WhatFollowsATakeDecidesWhetherItCanStillBeUndone) {
  const std::string held = WriteSettingsFile("held.vrnkp", 3, ImageWithVelocityLimit(60, 0));
  const std::string other = WriteSettingsFile("other.vrnkp", 3, ImageWithVelocityLimit(50, 495));
  const std::string saved = (Dir() / "saved.vrnkp").string();
  const struct {
    const char* button;
    bool undoable;  // and then, undone, the settings differ from what was saved
  } cases[] = {{"bEditParams", false}, {"bLoadParams", false}, {"bSaveParams", true}};
  TMainForm& form = Show();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.button);
    dialogs_.open_paths = {held, other, held};
    dialogs_.save_paths = {saved};
    Click("bLoadParams");
    dialogs_.change_answers = {ScriptedDialogs::Answer(true, {})};
    Choose("aTakeFromFile");
    ASSERT_TRUE(Find<QAction>("aUndoTake")->isEnabled());
    Click(c.button);
    EXPECT_EQ(Find<QAction>("aUndoTake")->isEnabled(), c.undoable);
    if (!c.undoable) continue;
    Choose("aUndoTake");
    EXPECT_EQ(form.Device()->Image(), ImageWithVelocityLimit(60, 0));
    EXPECT_TRUE(form.IsModified());
  }
}

TEST_F(MainFormTest, ComparingWithAFileKeepsTheHeldSettingsAndOpensTheEditorAtAChosenOne) {
  const std::string held = WriteSettingsFile("held.vrnkp", 3, ImageWithVelocityLimit(60));
  const std::string other = WriteSettingsFile("other.vrnkp", 3, ImageWithVelocityLimit(50));
  std::string opened_at;
  services_.edit_dialog = [&opened_at](device::TMK&, const widgets::WindowEnvironment& at) {
    opened_at = at.focus;
    return widgets::WindowOutcome{};
  };
  TMainForm& form = Show();
  EXPECT_FALSE(Find<QAction>("aCompareFile")->isEnabled()) << "nothing held to compare";
  dialogs_.open_paths = {held, other};
  Click("bLoadParams");
  EXPECT_TRUE(Find<QAction>("aCompareFile")->isEnabled());
  ChangesAnswer double_click;
  double_click.open = settings::FindSetting("seVelocityLimit");
  dialogs_.change_answers = {double_click};
  Choose("aCompareFile");
  ASSERT_EQ(dialogs_.changes.size(), 1u);
  EXPECT_EQ(dialogs_.changes[0].purpose, ChangesPurpose::Compare);
  EXPECT_EQ(dialogs_.changes[0].diff.changes.size(), 1u);
  EXPECT_EQ(opened_at, "seVelocityLimit");
  EXPECT_EQ(form.Device()->Image(), ImageWithVelocityLimit(60));
  EXPECT_FALSE(form.IsModified());
}

TEST_F(MainFormTest, PagesSavedAsTextLoadBackThroughTheTickedList) {
  const std::string held = WriteSettingsFile("held.vrnkp", 3, ImageWithVelocityLimit(60, 0));
  const std::string preset = (Dir() / "limits.txt").string();
  TMainForm& form = Show();
  dialogs_.open_paths = {held};
  Click("bLoadParams");
  dialogs_.pages_choice = std::vector<settings::Page>{settings::Page::Limits};
  dialogs_.text_paths = {preset};
  Choose("aSaveAsText");
  const std::string text = tests::ReadText(preset);
  EXPECT_NE(text.find("\n[Границы]\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("[Источники]"), std::string::npos) << text;

  // The preset edited by hand: one good line, one bad, one unknown.
  std::ofstream(preset, std::ios::app) << "seVelocityLimit = 100\nseTankLimit = 999\nseZz = 1\n";
  dialogs_.open_paths = {preset};
  dialogs_.change_answers = {ScriptedDialogs::Answer(false)};
  Choose("aLoadFromText");
  ASSERT_EQ(dialogs_.changes.size(), 1u);
  const ChangesView& shown = dialogs_.changes[0];
  ASSERT_EQ(shown.diff.changes.size(), 1u);
  EXPECT_EQ(settings::LineOf(shown.diff.changes[0]), "Границы / Скорость, км/час: 120 → 100");
  ASSERT_EQ(shown.notes.size(), 2u);
  EXPECT_NE(shown.notes[1].find("нет настройки «seZz»"), std::string::npos) << shown.notes[1];
  EXPECT_EQ(form.Device()->Image(), ImageWithVelocityLimit(60, 0)) << "nothing changes unasked";
  EXPECT_FALSE(form.IsModified());

  dialogs_.open_paths = {preset};
  dialogs_.change_answers = {ScriptedDialogs::Answer(true)};
  Choose("aLoadFromText");
  EXPECT_EQ(form.Device()->Image(), ImageWithVelocityLimit(50, 0));
  EXPECT_TRUE(form.IsModified());
}

}  // namespace
}  // namespace mk::app::test
