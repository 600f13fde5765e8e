// Pictures of the "Дисплей" sub-pages for docs/: run by hand under a real X
// display (Xvfb with a window manager), skipped otherwise:
//   MK_SCREENSHOTS=DIR QT_QPA_PLATFORM=xcb DISPLAY=:N tests_editor --gtest_filter='*Screenshots*'
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QtTest/QTest>

#include <cstdlib>

#include "editor/display_page.h"
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
      ASSERT_TRUE(grab(QString::fromUtf8(info.object_name)));
    }
    auto* page = dynamic_cast<TDisplayPage*>(dialog->PageOf(settings::Page::Display));
    ASSERT_NE(page, nullptr);
    dialog->PageControl()->setCurrentWidget(page);
    for (const auto& info : settings::kDisplayPages) {
      if (!page->SubPages()->isTabVisible(static_cast<int>(info.page))) continue;
      if (*v.suffix != 0 && info.page != settings::DisplayPage::X3 &&
          info.page != settings::DisplayPage::HotMenus &&
          info.page != settings::DisplayPage::Misc) {
        continue;
      }
      page->SubPages()->setCurrentWidget(page->SubPage(info.page));
      ASSERT_TRUE(grab(QString::fromUtf8(info.object_name)));
    }
  }
}

}  // namespace
}  // namespace mk::editor::test
