// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the "Дисплей" sub-pages for docs/: run by hand under a real X
// display (Xvfb with a window manager), skipped otherwise:
//   MK_SCREENSHOTS=DIR QT_QPA_PLATFORM=xcb DISPLAY=:N tests_editor --gtest_filter='*Screenshots*'
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QtTest/QTest>

#include <cstdlib>

#include <QMenu>
#include <QSpinBox>
#include <QTableWidget>

#include "editor/display_colors_page.h"
#include "editor/display_page.h"
#include "editor/display_preview_box.h"
#include "editor/page_names.h"
#include "editor_fixture.h"

namespace mk::editor::test {
namespace {

class DisplayScreenshots : public EditorTest {};

TEST_F(DisplayScreenshots, EveryPageAndSubPage) {
  const char* dir = std::getenv("MK_SCREENSHOTS");
  if (dir == nullptr || QGuiApplication::platformName() != "xcb") {
    GTEST_SKIP() << "set MK_SCREENSHOTS and run on an X display";
  }
  // The plain car variant, then the hybrid taxi for the x3 screens, the
  // taximeter hot menu and the x3 caption of the show boxes.
  struct Variant {
    std::uint16_t device_version;
    std::uint32_t firmware;
    const char* suffix;
  };
  for (const Variant& v : {Variant{1, 0, ""}, Variant{2, 1, "_hybrid_taxi"}}) {
    Load(v.device_version, v.firmware);
    Show();
    dialog->move(10, 10);
    const auto grab = [&](const QString& name) {
      QTest::qWait(400);
      // The whole screen as the window manager shows it, cut to the dialog's frame.
      const QRect frame = dialog->frameGeometry();
      const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0).copy(frame);
      return shot.save(QString::fromUtf8(dir) + "/" + name + QString::fromUtf8(v.suffix) + ".png");
    };
    for (const auto& info : settings::kPages) {
      if (info.page == settings::Page::Display ||
          !dialog->PageControl()->isTabVisible(static_cast<int>(info.page))) {
        continue;
      }
      dialog->PageControl()->setCurrentIndex(static_cast<int>(info.page));
      ASSERT_TRUE(grab(QString::fromUtf8(PageObjectName(info.page))));
    }
    auto* page = dynamic_cast<TDisplayPage*>(dialog->PageOf(settings::Page::Display));
    ASSERT_NE(page, nullptr);
    dialog->PageControl()->setCurrentWidget(page);
    for (const auto& info : kDisplayPages) {
      if (!page->SubPages()->isTabVisible(static_cast<int>(info.page))) continue;
      if (*v.suffix != 0 && info.page != settings::DisplayPage::X3 &&
          info.page != settings::DisplayPage::HotMenus &&
          info.page != settings::DisplayPage::Misc) {
        continue;
      }
      page->SubPages()->setCurrentWidget(page->SubPage(info.page));
      ASSERT_TRUE(grab(QString::fromUtf8(info.object_name)));
    }
    if (*v.suffix != 0) continue;
    // The changed marks: a palette colour, an element's colour, a place of the
    // last x4 screen and one of the x6 screen.
    auto* colors =
        static_cast<TColorsSubPage*>(page->SubPageContent(settings::DisplayPage::Colors));
    page->SubPages()->setCurrentWidget(page->SubPage(settings::DisplayPage::Colors));
    emit colors->PaletteGrid()->cellPressed(3, 0);
    colors->Channel(0)->setValue((colors->Channel(0)->value() + 7) % 32);
    QTableWidget* digits = colors->ElementGrid(settings::ElementGroup::Digits);
    digits->setCurrentCell(1, 0);
    emit digits->cellPressed(1, 0);
    QSpinBox* index = colors->ElementEditor(settings::ElementGroup::Digits);
    index->setValue((index->value() + 5) % 16);
    ASSERT_TRUE(grab("tsColors_changed"));
    for (auto sub : {settings::DisplayPage::X4, settings::DisplayPage::X6}) {
      auto* box = page->SubPage(sub)->findChildren<TPreviewBox*>().back();
      emit box->PlaceClicked(box->Screen(), 1, QPoint(5, 5));
      auto* menu = page->SubPage(sub)->findChild<QMenu*>("pmParams");
      for (QAction* action : menu->actions()) {
        if (!action->isChecked()) {
          action->trigger();
          break;
        }
      }
      menu->hide();
      QTest::qWait(100);
    }
    page->SubPages()->setCurrentWidget(page->SubPage(settings::DisplayPage::X4));
    ASSERT_TRUE(grab("tsDisp4_changed"));
    page->SubPages()->setCurrentWidget(page->SubPage(settings::DisplayPage::X6));
    ASSERT_TRUE(grab("tsDisp6_changed"));
  }
}

}  // namespace
}  // namespace mk::editor::test
