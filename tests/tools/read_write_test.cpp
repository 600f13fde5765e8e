// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl read and write against mk-sim on a pseudo-terminal, the MK's memory
// checked byte for byte afterwards.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "device/mk.h"
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

class ReadThenWrite : public ::testing::TestWithParam<const char*> {};

TEST_P(ReadThenWrite, TheMkEndsUpWithTheEditedSettingsAndEverythingElseAsItWas) {
  const TempFolder dir("rw");
  const std::string address = GetParam();
  const std::string factory = dir.File("factory.bin"), after = dir.File("after.bin");
  const std::string file = dir.File("read.vrnkp"), edited = dir.File("edited.vrnkp");

  SimProcess first({"--address", address, "--save", factory});
  ToolRun r = Mkctl("read --port " + first.path() + " --out " + file);
  ASSERT_EQ(r.status, 0) << r.err;
  first.Stop();
  const Bytes memory = ReadBytes(factory);
  const auto read = mk::device::DecodeSettingsFile(ReadBytes(file));
  EXPECT_EQ(read.device_version, 1);
  ASSERT_EQ(read.image, mk::sim::ImageFromMemory(memory));

  mk::device::TMK mk;
  mk::device::LoadSettingsFile(file, mk);
  mk.Rec(mk::device::BlockId::Limits).SetInt("VelocityLimit", 61);
  mk.Rec(mk::device::BlockId::Service).SetText("UniMeasStr", "Масло");
  mk.StoreAll();
  mk::device::SaveSettingsFile(edited, mk);

  // The MK has bad answers now and then; they are retried.
  SimProcess second({"--address", address, "--image", factory, "--save", after, "--fault",
                     "bad-checksum", "--fault-every", "37"});
  r = Mkctl("write --port " + second.path() + " --in " + edited);
  ASSERT_EQ(r.status, 0) << r.err;
  // The change list first, in the editor's words, then the backup and the result.
  EXPECT_EQ(r.out.rfind("Изменится в МК:\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\nГраницы / Скорость, км/час: 80 → 122\n"), std::string::npos) << r.out;
  const std::size_t backup = r.out.find("\nbackup ");
  ASSERT_NE(backup, std::string::npos) << r.out;
  EXPECT_EQ(r.out.substr(r.out.find('\n', backup + 1) + 1), "Настройки записаны в МК\n");
  second.Stop();
  const Bytes written = ReadBytes(after);
  ASSERT_EQ(written.size(), memory.size());
  EXPECT_EQ(mk::sim::ImageFromMemory(written), mk.Image());
  EXPECT_NE(mk::sim::ImageFromMemory(written), mk::sim::ImageFromMemory(memory))
      << "the edits arrived";
  EXPECT_TRUE(std::equal(written.begin(), written.begin() + 32, memory.begin()));
  const std::size_t half = memory.size() / 2;
  EXPECT_TRUE(std::equal(written.begin() + static_cast<std::ptrdiff_t>(half),
                         written.begin() + static_cast<std::ptrdiff_t>(half + 32),
                         memory.begin() + static_cast<std::ptrdiff_t>(half)));
}

INSTANTIATE_TEST_SUITE_P(Addresses, ReadThenWrite, ::testing::Values("252", "253", "254"),
                         [](const auto& p) { return std::string(p.param); });

TEST(WriteRefused, AnMkOfAnotherVersionIsLeftUntouched) {
  const TempFolder dir("rw");
  const std::string file = dir.File("v1.vrnkp"), factory = dir.File("v2.bin"),
                    after = dir.File("v2after.bin");
  {
    SimProcess sim({"--save", factory});
    ASSERT_EQ(Mkctl("read --port " + sim.path() + " --out " + file).status, 0);
  }
  SimProcess sim({"--device-version", "2", "--image", factory, "--save", after});
  const ToolRun r = Mkctl("write --port " + sim.path() + " --in " + file);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Версия настроек не совпадает с версией устройства!\n");
  sim.Stop();
  EXPECT_EQ(ReadBytes(after), ReadBytes(factory));
}

TEST(ReadFaults, AnMkThatGoesQuietHalfWayLeavesNoFileBehind) {
  const TempFolder dir("rw");
  const std::string file = dir.File("quiet.vrnkp");
  SimProcess sim({"--fault", "silence", "--fault-after", "100"});
  const ToolRun r = Mkctl("read --port " + sim.path() + " --out " + file);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, kNoLink + "\n");
  EXPECT_FALSE(std::ifstream(file).good());
}

TEST(SettingsServed, MkSimServesASettingsFileAndItsDeviceVersion) {
  const TempFolder dir("rw");
  mk::device::TMK mk;
  {
    const std::string file = dir.File("served_src.vrnkp");
    SimProcess sim({"--address", "254"});
    ASSERT_EQ(Mkctl("read --port " + sim.path() + " --out " + file).status, 0);
    mk::device::LoadSettingsFile(file, mk);
  }
  mk.SetDeviceVersion(0x0405);
  mk.Image()[5000] = 0xAB;
  const std::string served = dir.File("served.vrnkp"), back = dir.File("served_back.vrnkp");
  mk::device::SaveSettingsFile(served, mk);
  SimProcess sim({"--address", "254", "--settings", served});
  ASSERT_EQ(Mkctl("read --port " + sim.path() + " --out " + back).status, 0);
  EXPECT_EQ(ReadBytes(back), ReadBytes(served));
}

TEST(FileCommands, InfoShowsTheDirectoryAndDumpEveryNamedField) {
  const TempFolder dir("rw");
  const std::string file = dir.File("info.vrnkp");
  {
    SimProcess sim;
    ASSERT_EQ(Mkctl("read --port " + sim.path() + " --out " + file).status, 0);
  }
  const ToolRun info = Mkctl("info " + file);
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_EQ(
      info.out.rfind("device-version 1\nfirmware-version 3\nimage-size 8128\nblock-count 14\n", 0),
      0u)
      << info.out;
  EXPECT_NE(info.out.find("\n   12     2456      20    16      2424\n"), std::string::npos)
      << info.out;

  const ToolRun dump = Mkctl("dump " + file);
  ASSERT_EQ(dump.status, 0) << dump.err;
  std::istringstream dumped(dump.out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(dumped, line);) lines.push_back(line);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "Totals.AllSum[0]=812340");
  EXPECT_EQ(lines.back(), "Cargo.CargoDens=200");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Limits.VelocityLimit=40"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Service.UniMeasStr=Трим"), lines.end());

  EXPECT_EQ(Mkctl("info " + dir.File("missing.vrnkp")).status, 1);
}

}  // namespace
