// SPDX-License-Identifier: GPL-3.0-or-later
// Runs a command-line tool of this build as a script would, capturing what it prints.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
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
/// (quote what must stay one word). Its cache folder is `cache`, or a new
/// empty one, so that no run guesses from what another left behind.
inline ToolRun RunTool(const std::string& tool, const std::string& args,
                       const std::string& cache = "") {
  static int runs = 0;
  const std::string base = ::testing::TempDir() + tool + "_" + std::to_string(getpid());
  const std::string cache_dir = cache.empty() ? base + "_cache" + std::to_string(++runs) : cache;
  // The history of reads goes to the test's own data folder unless the test set one.
  const std::string command = "XDG_CACHE_HOME='" + cache_dir +
                              "' XDG_DATA_HOME=\"${XDG_DATA_HOME:-" + cache_dir + "/data}\" " +
                              std::string(MK_BIN_DIR) + "/" + tool + " " + args + " >" + base +
                              ".out 2>" + base + ".err";
  const auto start = std::chrono::steady_clock::now();
  const int raw = std::system(command.c_str());
  ToolRun run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.status = raw != -1 && WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.out = ReadText(base + ".out");
  run.err = ReadText(base + ".err");
  std::error_code ignored;
  if (cache.empty()) std::filesystem::remove_all(cache_dir, ignored);
  return run;
}

inline ToolRun Mkctl(const std::string& args, const std::string& cache = "") {
  return RunTool("mkctl", args, cache);
}

}  // namespace mk::tests
