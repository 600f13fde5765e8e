// SPDX-License-Identifier: GPL-3.0-or-later
// The subcommands of mkctl. Each lives in its own cmd_<name>.cpp and is listed
// once in the table of main.cpp, with its usage line and its help.
#pragma once

#include <string>
#include <vector>

#include "text/error.h"

namespace mk::tools {

/// The words after the command's name, as given (`--name=value` already split
/// into `--name value`); checked against the command's usage line before the
/// command runs, so every option is known and every value is present.
using Args = std::vector<std::string>;

/// A command line that does not fit the command: exit status 2, the message
/// and a pointer to the command's help on standard error.
class UsageError : public Error {
 public:
  explicit UsageError(const std::string& message) : Error(message) {}
};

/// Each returns the process exit status (0 success, 1 failure); mk::Error
/// means failure, UsageError a bad command line. Results go to standard
/// output, errors to standard error.
int CmdPorts(const Args& args);
int CmdIdentify(const Args& args);
int CmdCatalog(const Args& args);
int CmdRead(const Args& args);
int CmdWrite(const Args& args);
int CmdInfo(const Args& args);
int CmdDump(const Args& args);
int CmdSet(const Args& args);
int CmdDiff(const Args& args);
int CmdBackups(const Args& args);
int CmdSettings(const Args& args);
int CmdPreview(const Args& args);
int CmdScope(const Args& args);
int CmdDoctor(const Args& args);
int CmdTank(const Args& args);
int CmdJournals(const Args& args);
int CmdDtc(const Args& args);
int CmdHistory(const Args& args);

struct CommandEntry {
  const char* name;
  /// What follows the name: `--name VALUE` (an upper-case word after it) is
  /// an option with a value, `--name` alone a flag, a bare upper-case word an
  /// operand. These are all the options the command accepts.
  const char* usage;
  /// The first line: what the command does (in the tool's list); further
  /// lines, shown by `mkctl COMMAND --help`: its own options and results.
  const char* help;
  int (*run)(const Args& args);
};

/// The value after `--name` in args, or `fallback`.
std::string Option(const Args& args, const std::string& name, const std::string& fallback = "");
bool HasFlag(const Args& args, const std::string& name);
/// The words that are neither options nor their values (file names, ...).
std::vector<std::string> Operands(const Args& args);

}  // namespace mk::tools
