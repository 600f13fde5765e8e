// SPDX-License-Identifier: GPL-3.0-or-later
// A command-line program's arguments as UTF-8 text, and a console that shows
// the UTF-8 text the programs print.
#pragma once

#include <string>
#include <vector>

namespace mk::platform {

class ProgramArguments {
 public:
  /// Takes the arguments of main(). On Windows they are read again from the
  /// wide command line (main's are in the ANSI code page, which cannot hold
  /// every file name) and the console is switched to UTF-8 output.
  ProgramArguments(int argc, char** argv);
  ProgramArguments(const ProgramArguments&) = delete;
  ProgramArguments& operator=(const ProgramArguments&) = delete;

  int Argc() const { return static_cast<int>(text_.size()); }
  /// Null-terminated like main's; valid while this object lives.
  char** Argv() { return pointers_.data(); }

 private:
  std::vector<std::string> text_;
  std::vector<char*> pointers_;
};

}  // namespace mk::platform
