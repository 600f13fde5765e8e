// mkctl against the virtual MK on a pseudo-terminal, as a script would run it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

const std::string kBin = MK_BIN_DIR;
const std::string kNoLink = "RS232. Нет связи. Проверьте правильность соединения PC и устройства.";

// mk-sim running in the background for one test; stopped when it goes.
class Sim {
 public:
  explicit Sim(std::vector<std::string> options) {
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
  ~Sim() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& path() const { return path_; }

 private:
  pid_t pid_ = -1;
  std::string path_;
};

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
  double seconds = 0;
};

std::string Slurp(const std::string& file) {
  std::ifstream in(file);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

ToolRun Mkctl(const std::string& args) {
  const std::string base = testing::TempDir() + "mkctl_" + std::to_string(getpid());
  const auto start = std::chrono::steady_clock::now();
  const int raw =
      std::system((kBin + "/mkctl " + args + " >" + base + ".out 2>" + base + ".err").c_str());
  ToolRun r;
  r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = Slurp(base + ".out");
  r.err = Slurp(base + ".err");
  return r;
}

TEST(MkctlIdentifyTest, FindsTheMkAtEachAddress) {
  struct Case {
    const char* address;
    const char* memory;
  };
  for (const Case c : {Case{"252", "8192"}, Case{"253", "8192"}, Case{"254", "32768"}}) {
    Sim sim({"--address", c.address, "--device-version", "7"});
    ASSERT_FALSE(sim.path().empty());
    const ToolRun r = Mkctl("identify --port " + sim.path() + " --timeout 5");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, std::string("address ") + c.address + "\nmemory " + c.memory +
                         "\ndevice-version 7\n");
  }
}

TEST(MkctlIdentifyTest, BadAnswersAreRetriedUntilOneIsGood) {
  {
    Sim sim({"--address", "253", "--fault", "bad-checksum", "--fault-every", "2"});
    const ToolRun r = Mkctl("identify --port " + sim.path() + " --timeout 5");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "address 253\nmemory 8192\ndevice-version 1\n");
  }
  {
    // Three bad answers use up one round's retries; the next round gets it.
    Sim sim({"--address", "253", "--fault", "bad-checksum", "--fault-count", "3"});
    const ToolRun r = Mkctl("identify --port " + sim.path() + " --timeout 10");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "address 253\nmemory 8192\ndevice-version 1\n");
  }
}

TEST(MkctlIdentifyTest, ASilentMkEndsInTheNoLinkTextAfterTheTimeout) {
  Sim sim({"--fault", "silence"});
  const ToolRun r = Mkctl("identify --port " + sim.path() + " --timeout 1");
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, kNoLink + "\n");
  EXPECT_GE(r.seconds, 1.0);
  EXPECT_LT(r.seconds, 6.0) << "a round of three addresses at most passes the limit";
}

TEST(MkctlIdentifyTest, WrongArgumentsAndUnusablePortsFailWithAReason) {
  ToolRun r = Mkctl("identify");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Укажите порт"), std::string::npos) << r.err;

  r = Mkctl("identify --port COM33");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Неверный порт «COM33»"), std::string::npos) << r.err;

  r = Mkctl("identify --port /nonexistent/ttyQ9 --timeout 1");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("нет устройства (ENOENT)"), std::string::npos) << r.err;

  for (const char* bad : {"0", "-1", "x", "1e9", ""}) {
    r = Mkctl(std::string("identify --port 1 --timeout '") + bad + "'");
    EXPECT_EQ(r.status, 1) << bad;
    EXPECT_NE(r.err.find("Неверное время ожидания"), std::string::npos) << bad << r.err;
  }

  Sim sim({});
  const int holder = open(sim.path().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
  r = Mkctl("identify --port " + sim.path());
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("занят другой программой"), std::string::npos) << r.err;
  close(holder);
}

TEST(MkctlPortsTest, ListsMappedPortsAndWhyOneCannotBeOpened) {
  Sim free_sim({});
  Sim held_sim({});
  const std::string prefs = testing::TempDir() + "mkctl_prefs_" + std::to_string(getpid()) + ".ini";
  std::ofstream(prefs) << "[Ports]\r\nCOM3=" << free_sim.path() << "\r\nCOM4=" << held_sim.path()
                       << "\r\nCOM5=/nonexistent/ttyQ9\r\n";
  const int holder = open(held_sim.path().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(holder, 0);
  ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);

  const ToolRun r = Mkctl("ports --prefs " + prefs);
  close(holder);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("COM3   " + free_sim.path() + "\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("COM4   " + held_sim.path()), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("занят другой программой"), std::string::npos) << r.out;
  EXPECT_EQ(r.out.find("COM5"), std::string::npos) << "a missing device is not listed";

  const ToolRun via_prefs = Mkctl("identify --port COM3 --prefs " + prefs);
  EXPECT_EQ(via_prefs.status, 0) << via_prefs.err;
  EXPECT_EQ(via_prefs.out, "address 253\nmemory 8192\ndevice-version 1\n");

  EXPECT_EQ(Mkctl("ports --prefs /nonexistent/mk.ini").status, 1);
  std::remove(prefs.c_str());
}

}  // namespace
