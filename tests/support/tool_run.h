// Runs a command-line tool of this build as a script would, capturing what it prints.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "support/files.h"

namespace mk::tests {

struct ToolRun {
  int status = -1;  ///< the exit status; -1 when the tool did not exit by itself
  std::string out;
  std::string err;
  double seconds = 0;
};

/// Runs `tool` from the build's bin folder with `args`, which the shell splits
/// (quote what must stay one word).
inline ToolRun RunTool(const std::string& tool, const std::string& args) {
  const std::string base = ::testing::TempDir() + tool + "_" + std::to_string(getpid());
  const std::string command =
      std::string(MK_BIN_DIR) + "/" + tool + " " + args + " >" + base + ".out 2>" + base + ".err";
  const auto start = std::chrono::steady_clock::now();
  const int raw = std::system(command.c_str());
  ToolRun run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadText(base + ".out");
  run.err = ReadText(base + ".err");
  return run;
}

inline ToolRun Mkctl(const std::string& args) {
  return RunTool("mkctl", args);
}

}  // namespace mk::tests
