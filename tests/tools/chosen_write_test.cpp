// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl write --only / --except against mk-sim: the unticked settings keep
// the MK's own values, an unknown name stops before the MK is touched, and a
// choice the MK already holds writes nothing.
#include <gtest/gtest.h>

#include <string>

#include "support/files.h"
#include "support/sim_process.h"
#include "support/tool_run.h"

namespace {

using mk::tests::Mkctl;
using mk::tests::ReadBytes;
using mk::tests::SimProcess;
using mk::tests::TempFolder;
using mk::tests::ToolRun;

struct ChosenWrite {
  const char* name;
  const char* choice;
  int status;
  const char* printed;  // in what the write prints
  const char* left;     // the one difference left between file and MK, or "" for none
  int differences;      // between the file and the MK afterwards
  bool mk_touched;
};

class ChosenWriteTest : public ::testing::TestWithParam<ChosenWrite> {};

TEST_P(ChosenWriteTest, OnlyTheChosenChangesReachTheMk) {
  const ChosenWrite& c = GetParam();
  const TempFolder dir("chosen");
  const std::string factory = dir.File("factory.bin"), after = dir.File("after.bin");
  const std::string read = dir.File("read.vrnkp"), edited = dir.File("edited.vrnkp");
  {
    SimProcess sim({"--save", factory});
    ASSERT_EQ(Mkctl("read --port " + sim.path() + " --out " + read).status, 0);
  }
  // Three changes on "Границы".
  ToolRun r = Mkctl("settings " + read +
                    " --set seVelocityLimit=100 --set seTankLimit=20 --set seLiqTemperLimit=110"
                    " --out " +
                    edited);
  ASSERT_EQ(r.status, 0) << r.err;

  SimProcess sim({"--image", factory, "--save", after});
  r = Mkctl("write --port " + sim.path() + " --in " + edited + " --no-backup " + c.choice);
  EXPECT_EQ(r.status, c.status) << r.out << r.err;
  EXPECT_NE((r.out + r.err).find(c.printed), std::string::npos) << r.out << r.err;

  const ToolRun diff = Mkctl("diff " + edited + " --port " + sim.path() + " --shown");
  EXPECT_NE(diff.out.find("Различий: " + std::to_string(c.differences) + "\n"), std::string::npos)
      << diff.out << diff.err;
  if (*c.left != '\0') {
    EXPECT_NE(diff.out.find(c.left), std::string::npos) << diff.out;
  }
  sim.Stop();
  EXPECT_EQ(ReadBytes(after) != ReadBytes(factory), c.mk_touched);
}

INSTANTIATE_TEST_SUITE_P(
    Choices, ChosenWriteTest,
    ::testing::Values(ChosenWrite{"except", "--except seTankLimit", 0, "Различий: 2\n",
                                  "Границы / Остаток бака, л: 20 → 10", 1, true},
                      ChosenWrite{"only", "--only seVelocityLimit,seLiqTemperLimit", 0,
                                  "Различий: 2\n", "Границы / Остаток бака, л: 20 → 10", 1, true},
                      ChosenWrite{"all", "", 0, "Различий: 3\n", "", 0, true},
                      ChosenWrite{"unchanged", "--only seAccCorr", 0,
                                  "Отмеченные настройки МК уже хранит: записывать нечего.", "", 3,
                                  false},
                      ChosenWrite{"unknown", "--except seTankLimit,seNoSuch", 2,
                                  "--except: Нет настройки «seNoSuch».", "", 3, false}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
