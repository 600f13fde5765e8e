// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl against mk-sim whose answers come after the answer time: a read ends
// with the link's message or the whole memory, a write with the link's
// message, never with pages in the wrong place or a write that looks done.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "device/settings_file.h"
#include "sim/factory_image.h"
#include "support/files.h"
#include "support/sim_process.h"
#include "support/tool_run.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using mk::tests::Mkctl;
using mk::tests::ReadBytes;
using mk::tests::SimProcess;
using mk::tests::TempFolder;
using mk::tests::ToolRun;

const std::string kNoLink = "RS232. Нет связи. Проверьте правильность соединения PC и устройства.";

struct LateRead {
  const char* late;
  const char* count;  // "" for every answer from the 100th on
};

std::string ReadName(const ::testing::TestParamInfo<LateRead>& info) {
  return std::string(info.param.late + 5) + "ms" + (*info.param.count != 0 ? "_once" : "_always");
}

class LateAnswersInTheRead : public ::testing::TestWithParam<LateRead> {};

TEST_P(LateAnswersInTheRead, EndWithTheLinksMessageOrTheWholeMemory) {
  const TempFolder dir("late");
  const std::string memory = dir.File("memory.bin"), file = dir.File("read.vrnkp");
  std::vector<std::string> options{"--wire-timing", "--save",        memory, "--fault",
                                   GetParam().late, "--fault-after", "100"};
  const bool once = *GetParam().count != 0;
  if (once) options.insert(options.end(), {"--fault-count", GetParam().count});
  SimProcess sim(options);
  const ToolRun r = Mkctl("read --port " + sim.path() + " --out " + file);
  sim.Stop();

  if (r.status == 0) {
    EXPECT_EQ(mk::device::DecodeSettingsFile(ReadBytes(file)).image,
              mk::sim::ImageFromMemory(ReadBytes(memory)));
  } else {
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, kNoLink + "\n");
    EXPECT_FALSE(std::ifstream(file).good());
  }
  if (once) {
    EXPECT_EQ(r.status, 0) << "one late answer is waited out and retried";
  }
  EXPECT_LT(r.seconds, 20);
}

INSTANTIATE_TEST_SUITE_P(Faults, LateAnswersInTheRead,
                         ::testing::Values(LateRead{"late:150", ""}, LateRead{"late:3000", ""},
                                           LateRead{"late:150", "1"}),
                         ReadName);

// Every answer from the 300th on, in the write's chunks, 1 s past the write's
// answer time of 2 s.
TEST(LateAnswersInTheWrite, EndWithTheLinksMessageAndNeverLookDone) {
  const TempFolder dir("late");
  const std::string factory = dir.File("factory.bin"), file = dir.File("read.vrnkp");
  {
    SimProcess first({"--save", factory});
    ASSERT_EQ(Mkctl("read --port " + first.path() + " --out " + file).status, 0);
  }
  SimProcess sim({"--image", factory, "--fault", "late:3000", "--fault-after", "300"});
  const ToolRun r = Mkctl("write --port " + sim.path() + " --in " + file);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err.rfind(kNoLink, 0), 0u) << r.err;
  EXPECT_EQ(r.err.find("Настройки записаны в МК"), std::string::npos) << r.err;
  // Three attempts of 2 s, each followed by the late answer and 2 s of quiet.
  EXPECT_LT(r.seconds, 30);
}

}  // namespace
