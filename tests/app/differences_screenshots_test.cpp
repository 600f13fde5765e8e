// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the change list, the compare window and the restore list for
// docs/: run by hand under a real X display (Xvfb with a window manager),
// skipped otherwise:
//   MK_SCREENSHOTS=DIR QT_QPA_PLATFORM=xcb DISPLAY=:N tests_app --gtest_filter='*Screenshots*'
#include <QGuiApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <cstdlib>

#include "app/russian_texts.h"
#include "app_fixture.h"
#include "device/block_tables.h"
#include "device/mk.h"
#include "widgets/backups_form.h"
#include "widgets/changes_form.h"

namespace mk::app::test {
using widgets::ChangesPurpose;
using widgets::ChangesView;
using widgets::TBackupsForm;
using widgets::TChangesForm;

namespace {

using device::BlockId;

device::TMK Defaults() {
  device::TMK mk;
  mk.ReplaceImage(1, LaidOutImage(3));
  for (BlockId block : device::kStoredBlocks) mk.Rec(block).ApplyDefaults();
  mk.StoreAll();
  return mk;
}

void Save(QWidget& window, const char* dir, const char* name) {
  window.move(10, 10);
  window.show();
  QTest::qWait(500);
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0).copy(window.frameGeometry());
  ASSERT_TRUE(shot.save(QString::fromUtf8(dir) + "/" + QString::fromUtf8(name)));
  window.hide();
}

TEST(DifferencesScreenshots, ChangeListCompareAndRestore) {
  const char* dir = std::getenv("MK_SCREENSHOTS");
  if (dir == nullptr || QGuiApplication::platformName() != "xcb") {
    GTEST_SKIP() << "set MK_SCREENSHOTS and run on an X display";
  }
  const device::TMK mk = Defaults();
  device::TMK edited = mk;
  edited.Rec(BlockId::Limits).SetInt("VelocityLimit", 65);
  edited.Rec(BlockId::Limits).SetInt("UaccLowLimit", 118);
  edited.Rec(BlockId::Limits).SetFloat("VelocityCorr", 1.032);
  edited.Rec(BlockId::Display).SetInt("IntenseDayTime", 7 * 60 + 30);
  edited.Rec(BlockId::Display).SetInt("SoundVolume", 3);
  edited.Rec(BlockId::Limits).SetInt("VelocityMeth", 1);
  edited.Rec(BlockId::FuelSensor).SetInt("TankContFull", 60);
  for (std::size_t i = 0; i < 3; ++i) {
    edited.Rec(BlockId::Journals).Element("TripJournal", i)[0] ^= 1;
  }

  ChangesView view;
  view.purpose = ChangesPurpose::Write;
  view.title = "Что изменится в МК";
  view.intro =
      "Настройки МК, которые изменит запись (было - в МК сейчас, станет - после записи). "
      "Снимите отметку с того, что записывать не нужно: там останется значение МК. Записать?";
  view.diff = settings::DiffShown(mk, edited, ',');
  TChangesForm write(view);
  Save(write, dir, "write-changes.png");
  // One change of a page left out: the page's box shows it.
  for (int i = 0; i < write.tvChanges->topLevelItemCount(); ++i) {
    QTreeWidgetItem* page = write.tvChanges->topLevelItem(i);
    if (page->childCount() < 2) continue;
    page->child(0)->setCheckState(0, Qt::Unchecked);
    break;
  }
  Save(write, dir, "changes-ticked.png");

  view.purpose = ChangesPurpose::Compare;
  view.title = "Сравнение с файлом";
  view.intro =
      "Было - текущие настройки, станет - в файле. Двойной щелчок по настройке открывает её в "
      "редакторе.";
  TChangesForm compare(view);
  compare.eFilter->setText("скорость");
  Save(compare, dir, "compare.png");

  TBackupsForm backups(
      {{"08.12.2026 18:05:12", "515", "32768", "7", "backup-2026-12-08-180512-004-v515.vrnkp"},
       {"01.12.2026 09:41:57", "515", "32768", "12", "backup-2026-12-01-094157-610-v515.vrnkp"},
       {"14.11.2026 20:03:09", "515", "32768", "0", "backup-2026-11-14-200309-118-v515.vrnkp"}});
  Save(backups, dir, "restore-list.png");
}

// The main window with its letters and keys, and the question before it
// closes over unsaved edits, with the real boxes.
TEST_F(MainFormTest, ScreenshotsOfTheMainWindowAndTheClosingQuestion) {
  const char* dir = std::getenv("MK_SCREENSHOTS");
  if (dir == nullptr || QGuiApplication::platformName() != "xcb") {
    GTEST_SKIP() << "set MK_SCREENSHOTS and run on an X display";
  }
  QTranslator* russian = InstallRussianTexts(App());
  services_.dialogs = nullptr;
  services_.settings_file = WriteSettingsFile("Поездка.vrnkp", 1, Defaults().Image());
  TMainForm& form = Show();
  form.move(10, 10);
  QTest::qWait(300);
  Click("bEditParams");
  QTest::qWait(500);
  const QPixmap window = QGuiApplication::primaryScreen()->grabWindow(0).copy(form.frameGeometry());
  ASSERT_TRUE(window.save(QString::fromUtf8(dir) + "/main-window.png"));
  QTimer::singleShot(700, [dir] {
    QWidget* box = QApplication::activeModalWidget();
    ASSERT_NE(box, nullptr);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0).copy(box->frameGeometry());
    EXPECT_TRUE(shot.save(QString::fromUtf8(dir) + "/closing-question.png"));
    QTest::keyClick(box, Qt::Key_Escape);
  });
  EXPECT_FALSE(form.close()) << "Esc keeps the window and the edits";
  EXPECT_TRUE(form.IsModified());
  // Closed without the question: the edits are left for this picture only.
  form_.reset();
  QCoreApplication::removeTranslator(russian);
  delete russian;
}

}  // namespace
}  // namespace mk::app::test
