// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the real mk-sim on a pseudo-terminal and talks to it as a client would.
#ifndef _WIN32

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/frames.h"
#include "sim/virtual_mk.h"
#include "support/files.h"
#include "support/sim_process.h"

namespace mk::sim {
namespace {

using Bytes = std::vector<std::uint8_t>;

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
  const tests::TempFolder dir("mk-sim-pty");
  const std::string save = dir.File("memory.bin");
  const std::string errors = dir.File("errors.txt");
  tests::SimProcess sim({"--address", "254", "--device-version", "513", "--save", save}, errors);
  const std::string path = sim.path();
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
  const std::string memory = tests::ReadText(save);
  ASSERT_EQ(memory.size(), 32768u);
  EXPECT_EQ(static_cast<std::uint8_t>(memory[32765]), 0xA1);
  EXPECT_EQ(static_cast<std::uint8_t>(memory[32767]), 0xA3);
  EXPECT_EQ(tests::ReadText(errors),
            "mk-sim: violation: BeginWrite(39993, 3): region past the end of the 32768-byte "
            "memory\n"
            "mk-sim: violation: BeginWrite(32765, 3) while region (39993, 3) was open: that "
            "region is lost\n");
}

}  // namespace
}  // namespace mk::sim

#endif
