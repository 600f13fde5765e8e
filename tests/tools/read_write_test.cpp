// mkctl read and write against mk-sim on a pseudo-terminal, the MK's memory
// checked byte for byte afterwards.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "device/atomic_file.h"
#include "device/mk.h"
#include "device/settings_file.h"

extern char** environ;

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kBin = MK_BIN_DIR;
const std::string kNoLink = "RS232. Нет связи. Проверьте правильность соединения PC и устройства.";

std::string Temp(const std::string& name) {
  return testing::TempDir() + "rw_" + std::to_string(getpid()) + "_" + name;
}

Bytes ReadBytes(const std::string& path) {
  return mk::device::ReadWholeFile(path, "cannot read " + path);
}

// mk-sim for one step of a test; Stop() waits for it to save its memory.
class Sim {
 public:
  explicit Sim(std::vector<std::string> options = {}) {
    int out[2];
    if (pipe(out) != 0) return;
    std::vector<std::string> argv_s{kBin + "/mk-sim"};
    argv_s.insert(argv_s.end(), options.begin(), options.end());
    std::vector<char*> argv;
    for (auto& a : argv_s) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    char c;
    while (read(out[0], &c, 1) == 1 && c != '\n') path_ += c;
    close(out[0]);
  }
  ~Sim() { Stop(); }
  void Stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  const std::string& path() const { return path_; }

 private:
  pid_t pid_ = -1;
  std::string path_;
};

struct ToolRun {
  int status = -1;
  std::string err;
};

ToolRun Mkctl(const std::string& args) {
  const std::string err = Temp("mkctl.err");
  const int raw = std::system((kBin + "/mkctl " + args + " >/dev/null 2>" + err).c_str());
  ToolRun r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream in(err);
  r.err.assign(std::istreambuf_iterator<char>(in), {});
  return r;
}

// What a read of `memory` gives: all but the first page of each half.
Bytes ImageOf(const Bytes& memory) {
  const std::size_t half = memory.size() / 2;
  Bytes image(memory.begin() + 32, memory.begin() + static_cast<std::ptrdiff_t>(half));
  image.insert(image.end(), memory.begin() + static_cast<std::ptrdiff_t>(half + 32), memory.end());
  return image;
}

class ReadThenWrite : public ::testing::TestWithParam<const char*> {};

TEST_P(ReadThenWrite, TheMkEndsUpWithTheEditedSettingsAndEverythingElseAsItWas) {
  const std::string address = GetParam();
  const std::string factory = Temp("factory.bin"), after = Temp("after.bin");
  const std::string file = Temp("read.vrnkp"), edited = Temp("edited.vrnkp");

  Sim first({"--address", address, "--save", factory});
  ToolRun r = Mkctl("read --port " + first.path() + " --out " + file);
  ASSERT_EQ(r.status, 0) << r.err;
  first.Stop();
  const Bytes memory = ReadBytes(factory);
  const auto read = mk::device::DecodeSettingsFile(ReadBytes(file));
  EXPECT_EQ(read.device_version, 1);
  ASSERT_EQ(read.image, ImageOf(memory));

  mk::device::TMK mk;
  mk::device::LoadSettingsFile(file, mk);
  mk.Rec(mk::device::BlockId::Limits).SetInt("VelocityLimit", 61);
  mk.Rec(mk::device::BlockId::Service).SetText("UniMeasStr", "Масло");
  mk.StoreAll();
  mk::device::SaveSettingsFile(edited, mk);

  // The MK has bad answers now and then; they are retried.
  Sim second({"--address", address, "--image", factory, "--save", after, "--fault", "bad-checksum",
              "--fault-every", "37"});
  r = Mkctl("write --port " + second.path() + " --in " + edited);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "Настройки записаны в МК\n");
  second.Stop();
  const Bytes written = ReadBytes(after);
  ASSERT_EQ(written.size(), memory.size());
  EXPECT_EQ(ImageOf(written), mk.Image());
  EXPECT_NE(ImageOf(written), ImageOf(memory)) << "the edits arrived";
  EXPECT_TRUE(std::equal(written.begin(), written.begin() + 32, memory.begin()));
  const std::size_t half = memory.size() / 2;
  EXPECT_TRUE(std::equal(written.begin() + static_cast<std::ptrdiff_t>(half),
                         written.begin() + static_cast<std::ptrdiff_t>(half + 32),
                         memory.begin() + static_cast<std::ptrdiff_t>(half)));
}

INSTANTIATE_TEST_SUITE_P(Addresses, ReadThenWrite, ::testing::Values("252", "253", "254"));

TEST(WriteRefused, AnMkOfAnotherVersionIsLeftUntouched) {
  const std::string file = Temp("v1.vrnkp"), factory = Temp("v2.bin"), after = Temp("v2after.bin");
  {
    Sim sim({"--save", factory});
    ASSERT_EQ(Mkctl("read --port " + sim.path() + " --out " + file).status, 0);
  }
  Sim sim({"--device-version", "2", "--image", factory, "--save", after});
  const ToolRun r = Mkctl("write --port " + sim.path() + " --in " + file);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "Версия настроек не совпадает с версией устройства!\n");
  sim.Stop();
  EXPECT_EQ(ReadBytes(after), ReadBytes(factory));
}

TEST(ReadFaults, AnMkThatGoesQuietHalfWayLeavesNoFileBehind) {
  const std::string file = Temp("quiet.vrnkp");
  std::remove(file.c_str());
  Sim sim({"--fault", "silence", "--fault-after", "100"});
  const ToolRun r = Mkctl("read --port " + sim.path() + " --out " + file);
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, kNoLink + "\n");
  EXPECT_FALSE(std::ifstream(file).good());
}

TEST(SettingsServed, MkSimServesASettingsFileAndItsDeviceVersion) {
  mk::device::TMK mk;
  {
    const std::string file = Temp("served_src.vrnkp");
    Sim sim({"--address", "254"});
    ASSERT_EQ(Mkctl("read --port " + sim.path() + " --out " + file).status, 0);
    mk::device::LoadSettingsFile(file, mk);
  }
  mk.SetDeviceVersion(0x0405);
  mk.Image()[5000] = 0xAB;
  const std::string served = Temp("served.vrnkp"), back = Temp("served_back.vrnkp");
  mk::device::SaveSettingsFile(served, mk);
  Sim sim({"--address", "254", "--settings", served});
  ASSERT_EQ(Mkctl("read --port " + sim.path() + " --out " + back).status, 0);
  EXPECT_EQ(ReadBytes(back), ReadBytes(served));
}

TEST(FileCommands, InfoShowsTheDirectoryAndDumpEveryNamedField) {
  const std::string file = Temp("info.vrnkp");
  {
    Sim sim;
    ASSERT_EQ(Mkctl("read --port " + sim.path() + " --out " + file).status, 0);
  }
  const std::string out = Temp("info.out");
  ASSERT_EQ(std::system((kBin + "/mkctl info " + file + " >" + out).c_str()), 0);
  std::ifstream info(out);
  const std::string text(std::istreambuf_iterator<char>(info), {});
  EXPECT_EQ(
      text.rfind("device-version 1\nfirmware-version 3\nimage-size 8128\nblock-count 14\n", 0), 0u)
      << text;
  EXPECT_NE(text.find("\n   12     2456      20    16      2424\n"), std::string::npos) << text;

  ASSERT_EQ(std::system((kBin + "/mkctl dump " + file + " >" + out).c_str()), 0);
  std::ifstream dump(out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(dump, line);) lines.push_back(line);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "Totals.AllSum[0]=812340");
  EXPECT_EQ(lines.back(), "Cargo.CargoDens=200");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Limits.VelocityLimit=40"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Service.UniMeasStr=Трим"), lines.end());

  EXPECT_EQ(Mkctl("info " + Temp("missing.vrnkp")).status, 1);
}

}  // namespace
