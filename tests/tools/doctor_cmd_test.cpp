// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl doctor on this machine, which has no MK attached.
#include <gtest/gtest.h>

#include <string>

#include "support/tool_run.h"

namespace {

TEST(DoctorCommand, ExplainsThatNoMkIsAttachedAndWhatItChecked) {
  const mk::tests::ToolRun r = mk::tests::Mkctl("doctor");
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_EQ(
      r.out.rfind("Проверено:\n  USB: МК (04D8:000A) в /sys/bus/usb/devices — не найден\n", 0), 0u)
      << r.out;
  for (const char* line : {"последовательные порты в /sys/class/tty", "правило udev для МК",
                           "права на порты у пользователя", "ModemManager — ", "brltty — "}) {
    EXPECT_NE(r.out.find(line), std::string::npos) << line;
  }
  EXPECT_NE(r.out.find("Мешает:\n- МК не найден на USB: среди устройств USB нет 04D8:000A.\n"
                       "  Что сделать: подключите МК кабелем USB"),
            std::string::npos)
      << r.out;
  EXPECT_EQ(r.err, "");
}

TEST(DoctorCommand, TakesNoArguments) {
  EXPECT_EQ(mk::tests::Mkctl("doctor --port 3").status, 2);
  EXPECT_EQ(mk::tests::Mkctl("doctor --help").status, 0);
}

}  // namespace
