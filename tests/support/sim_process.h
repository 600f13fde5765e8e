// SPDX-License-Identifier: GPL-3.0-or-later
// mk-sim, the virtual MK on a pseudo-terminal, running in the background of a test.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace mk::tests {

/// Starts mk-sim with `options` and takes the pseudo-terminal's path from the
/// first line it prints. Stop(), or the destructor, sends SIGTERM (mk-sim then
/// saves its memory) and waits for it to end.
class SimProcess {
 public:
  /// The mk-sim of this build.
  static std::string Program() { return std::string(MK_BIN_DIR) + "/mk-sim"; }

  /// `errors`, when not empty, is the file mk-sim's stderr goes to.
  explicit SimProcess(std::vector<std::string> options = {}, const std::string& errors = {}) {
    const std::string program = Program();
    if (!std::filesystem::exists(program)) {
      ADD_FAILURE() << program << " is missing: build the mk-sim target";
      return;
    }
    int out[2];
    if (pipe(out) != 0) return;
    options.insert(options.begin(), program);
    std::vector<char*> argv;
    for (auto& a : options) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    if (!errors.empty())
      posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                       0644);
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0)
      pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    // mk-sim prints nothing after the path; a silent one gives an empty path.
    char c = 0;
    pollfd pfd{out[0], POLLIN, 0};
    while (pid_ > 0 && poll(&pfd, 1, 10000) > 0 && read(out[0], &c, 1) == 1 && c != '\n')
      path_ += c;
    close(out[0]);
  }
  ~SimProcess() { Stop(); }
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;

  /// The pseudo-terminal's path; empty when mk-sim did not start.
  const std::string& path() const { return path_; }

  /// Sends mk-sim a signal (SIGUSR1: drive one more day).
  void Signal(int signal) const {
    if (pid_ > 0) kill(pid_, signal);
  }

  /// Ends mk-sim; its exit status, or -1 when it did not exit by itself or is gone already.
  int Stop() {
    if (pid_ <= 0) return -1;
    kill(pid_, SIGTERM);
    int status = 0;
    pid_t ended = -1;
    do ended = waitpid(pid_, &status, 0);
    while (ended < 0 && errno == EINTR);
    pid_ = -1;
    return ended > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  std::string path_;
};

}  // namespace mk::tests
