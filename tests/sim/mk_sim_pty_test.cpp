// Runs the real mk-sim on a pseudo-terminal and talks to it as a client would.
#ifndef _WIN32

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frames.h"
#include "sim/virtual_mk.h"

extern char** environ;

namespace mk::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

class MkSimProcess {
 public:
  /// Starts mk-sim with `args`; its stderr goes to the file `errors`.
  MkSimProcess(std::vector<std::string> args, const std::string& errors) {
    const std::string bin = std::string(MK_BIN_DIR) + "/mk-sim";
    if (!std::filesystem::exists(bin)) {
      ADD_FAILURE() << bin << " is missing: build the mk-sim target";
      return;
    }
    int out[2];
    if (pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    args.insert(args.begin(), bin);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, bin.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    stdout_ = out[0];
  }
  ~MkSimProcess() {
    if (pid_ > 0) Stop();
    if (stdout_ >= 0) close(stdout_);
  }

  /// The first line mk-sim prints, waiting at most two seconds for it.
  std::string FirstLine() {
    std::string line;
    char c = 0;
    pollfd pfd{stdout_, POLLIN, 0};
    while (poll(&pfd, 1, 2000) > 0 && read(stdout_, &c, 1) == 1 && c != '\n') line += c;
    return line;
  }

  /// SIGTERM, then the exit status (or -1).
  int Stop() {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  int stdout_ = -1;
};

int OpenRaw(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
  if (fd < 0) return fd;
  termios t{};
  tcgetattr(fd, &t);
  cfmakeraw(&t);
  tcsetattr(fd, TCSANOW, &t);
  return fd;
}

// Sends `request` and collects `expected` answer bytes or what comes within 2 s.
std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bytes Exchange(int fd, const Bytes& request, std::size_t expected) {
  EXPECT_EQ(write(fd, request.data(), request.size()), static_cast<ssize_t>(request.size()));
  Bytes answer;
  pollfd pfd{fd, POLLIN, 0};
  while (answer.size() < expected && poll(&pfd, 1, 2000) > 0) {
    std::uint8_t buffer[64];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    answer.insert(answer.end(), buffer, buffer + n);
  }
  return answer;
}

TEST(MkSimOnPty, IdentifiesWritesAndSavesAcrossReconnects) {
  const auto temp = std::filesystem::temp_directory_path();
  const auto save = temp / ("mk-sim-test-" + std::to_string(getpid()) + ".bin");
  const auto errors = temp / ("mk-sim-test-" + std::to_string(getpid()) + ".err");
  MkSimProcess sim({"--address", "254", "--device-version", "513", "--save", save.string()},
                   errors.string());
  const std::string path = sim.FirstLine();
  ASSERT_FALSE(path.empty());

  int fd = OpenRaw(path);
  ASSERT_GE(fd, 0) << path;
  EXPECT_EQ(Exchange(fd, testing::Request(254, kIdentify), 9),
            testing::Sealed({9, 254, 1, 0, 0, 0, 1, 2, 0}));
  close(fd);

  // A second client on the same terminal writes a region.
  fd = OpenRaw(path);
  ASSERT_GE(fd, 0);
  const Bytes ack = testing::Sealed({6, 254, 1, 0, 0, 0});
  EXPECT_EQ(Exchange(fd, testing::Request(254, kBeginWrite, testing::Words({40000 - 7, 3})), 6),
            ack)
      << "past the end of memory is still acknowledged";
  EXPECT_EQ(Exchange(fd, testing::Request(254, kBeginWrite, testing::Words({32765, 3})), 6), ack);
  EXPECT_EQ(
      Exchange(fd, testing::Request(254, kWriteChunk, testing::Chunk(0, {0xA1, 0xA2, 0xA3})), 6),
      ack);
  EXPECT_EQ(Exchange(fd, testing::Request(254, kEndWrite, testing::Words({32765, 3})), 6), ack);
  close(fd);

  EXPECT_EQ(sim.Stop(), 0);
  const std::string memory = Slurp(save);
  ASSERT_EQ(memory.size(), 32768u);
  EXPECT_EQ(static_cast<std::uint8_t>(memory[32765]), 0xA1);
  EXPECT_EQ(static_cast<std::uint8_t>(memory[32767]), 0xA3);
  EXPECT_EQ(Slurp(errors),
            "mk-sim: violation: BeginWrite(39993, 3): region past the end of the 32768-byte "
            "memory\n"
            "mk-sim: violation: BeginWrite(32765, 3) while region (39993, 3) was open: that "
            "region is lost\n");
  std::filesystem::remove(save);
  std::filesystem::remove(errors);
}

}  // namespace
}  // namespace mk::sim

#endif
