// SPDX-License-Identifier: GPL-3.0-or-later
// What the window and mkctl say about a port that will not open: the
// system's reason and, on its own line, what the user can do.
#include <gtest/gtest.h>

#include "platform/port_trouble.h"

namespace mk::platform {
namespace {

TEST(PortTrouble, SaysTheReasonAndWhatToDoForEveryState) {
  const struct {
    PortCheck check;
    const char* name;
    const char* first_line;
    const char* fix_starts;
  } cases[] = {
      {{PortState::kBusy, "занят другой программой"},
       "/dev/ttyACM0",
       "Порт COM3 (/dev/ttyACM0) недоступен: занят другой программой.",
       "Закройте программу"},
      {{PortState::kNoAccess, "нет доступа (EACCES)"},
       "/dev/ttyACM0",
       "Порт COM3 (/dev/ttyACM0) недоступен: нет доступа (EACCES).",
       "Дайте себе доступ"},
      {{PortState::kMissing, ""}, "COM3", "Порт COM3 недоступен: нет устройства.", "Подключите МК"},
      {{PortState::kFailed, "не открывается (EIO)"},
       "",
       "Порт COM3 недоступен: не открывается (EIO).",
       "Отключите устройство"},
      {{PortState::kFree, ""},
       "COM3",
       "Порт COM3 недоступен: открылся только при проверке.",
       "Повторите"},
  };
  for (const auto& c : cases) {
    const std::string text = PortTroubleWithFix(3, c.name, c.check);
    const std::size_t cut = text.find('\n');
    ASSERT_NE(cut, std::string::npos) << text;
    EXPECT_EQ(text.substr(0, cut), c.first_line);
    EXPECT_EQ(text.find(c.fix_starts, cut + 1), cut + 1) << text;
    EXPECT_EQ(text.back(), '.') << text;
  }
}

}  // namespace
}  // namespace mk::platform
