// SPDX-License-Identifier: GPL-3.0-or-later
// A picture of the error journal page for docs/: run by hand under a real X
// display (Xvfb with a window manager), skipped otherwise:
//   MK_SCREENSHOTS=DIR QT_QPA_PLATFORM=xcb DISPLAY=:N tests_viewers
//   --gtest_filter='JournalsScreenshot*'
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include <cstdlib>

#include "catalog/protocol.h"
#include "journals_fixture.h"
#include "text/byte_io.h"

namespace mk::viewers::test {
namespace {

class JournalsScreenshot : public JournalsTest {};

TEST_F(JournalsScreenshot, ErrorPageWithDescriptions) {
  const char* dir = std::getenv("MK_SCREENSHOTS");
  if (dir == nullptr || QGuiApplication::platformName() != "xcb") {
    GTEST_SKIP() << "set MK_SCREENSHOTS and run on an X display";
  }
  // A protocol that shows OBD-II codes, and errors of every kind of code.
  catalog::ProtocolCatalogue protocols;
  protocols.Build(mk.DeviceVersion(), 0, static_cast<std::uint8_t>(mk.FirmwareVersion()));
  const auto& items = protocols.Items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].ErrorCodeFormat == 0) {
      mk.Rec(device::BlockId::ServiceInfo).SetInt("Protocol", static_cast<std::int64_t>(i));
      break;
    }
  }
  const std::uint32_t codes[] = {0x0301, 0x0171, 0x0420, 0xC100, 0x1234, 0x4035};
  auto& errors = mk.Rec(device::BlockId::ErrorJournal);
  for (std::size_t slot = 0; slot < std::size(codes); ++slot) {
    const auto record = errors.Element("ErrorRecords", slot);
    bytes::WriteU16(record, 0, static_cast<std::uint16_t>(8 * 60 + 15 * slot));
    record[2] = static_cast<std::uint8_t>(10 + slot);
    record[3] = 3;
    bytes::WriteU32(record, 4, codes[slot]);
    bytes::WriteU32(record, 8, codes[slot]);
  }
  auto& w = Open();
  w.move(40, 40);
  Named<QTabWidget>(w, "pcMain")->setCurrentWidget(Named<QWidget>(w, "tsErrors"));
  QTest::qWait(1000);
  const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0).copy(w.frameGeometry());
  ASSERT_TRUE(shot.save(QString::fromUtf8(dir) + "/journals-errors.png"));
}

}  // namespace
}  // namespace mk::viewers::test
