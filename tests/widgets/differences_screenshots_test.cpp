// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the change list, the compare window and the restore list for
// docs/: run by hand under a real X display (Xvfb with a window manager),
// skipped otherwise:
//   MK_SCREENSHOTS=DIR QT_QPA_PLATFORM=xcb DISPLAY=:N tests_widgets --gtest_filter='*Screenshots*'
#include <QGuiApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTreeWidget>
#include <QtTest/QTest>

#include <cstdlib>

#include "device/mk.h"
#include "support/laid_out_image.h"
#include "support/named_controls.h"
#include "widgets/backups_form.h"
#include "widgets/changes_form.h"

namespace mk::widgets::test {
namespace {

using device::BlockId;

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
  const device::TMK mk = tests::LaidOutDefaults();
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

  ChangesView view = WriteChangesView(settings::DiffShown(mk, edited, ','));
  TChangesForm write(view);
  Save(write, dir, "write-changes.png");
  // One change of a page left out: the page's box shows it.
  QTreeWidget* tree = tests::FindNamed<QTreeWidget>(write, "tvChanges");
  for (int i = 0; i < tree->topLevelItemCount(); ++i) {
    QTreeWidgetItem* page = tree->topLevelItem(i);
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
  tests::FindNamed<QLineEdit>(compare, "eFilter")->setText("скорость");
  Save(compare, dir, "compare.png");

  TBackupsForm backups(
      {{"08.12.2026 18:05:12", "515", "32768", "7", "backup-2026-12-08-180512-004-v515.vrnkp"},
       {"01.12.2026 09:41:57", "515", "32768", "12", "backup-2026-12-01-094157-610-v515.vrnkp"},
       {"14.11.2026 20:03:09", "515", "32768", "0", "backup-2026-11-14-200309-118-v515.vrnkp"}});
  Save(backups, dir, "restore-list.png");
}

}  // namespace
}  // namespace mk::widgets::test
