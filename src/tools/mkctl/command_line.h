// SPDX-License-Identifier: GPL-3.0-or-later
// How mkctl reads its command line: the options a usage line names, the check
// of the words given against them, and the help texts built from the table.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tools/mkctl/commands.h"

namespace mk::tools {

/// An option described once for every command that takes it.
struct OptionHelp {
  const char* spec;  ///< "--port ПОРТ", as usage lines write it
  const char* help;
};

/// An option of a usage line; `value` is the name of its value, empty for a flag.
struct UsageOption {
  std::string name;  ///< with its dashes: "--port"
  std::string value;
};

/// The options a usage line names: "--port ПОРТ" takes a value (the word right
/// after it), "[--json]" is a flag (a flag stands in brackets, or last).
std::vector<UsageOption> OptionsOf(std::string_view usage);

/// A comma-separated list of an option's value ("Границы,Дисплей"), empty items kept.
std::vector<std::string> SplitList(const std::string& list);

/// The words with each `--name=value` split into `--name value`.
Args SplitAssignments(const Args& words);

/// How many operands a usage line allows ("ФАЙЛ [ФАЙЛ2]": 2); SIZE_MAX when
/// one of them ends with "...".
std::size_t MaxOperands(std::string_view usage);

/// True when `-h` or `--help` stands among the words (not as a value).
/// Otherwise checks them against `options`: an unknown option, one given
/// twice (but for assignments: --set ИМЯ=ЗНАЧЕНИЕ), one whose value is
/// missing or empty, and operands beyond `max_operands` throw UsageError
/// naming it.
bool CheckArgs(const Args& args, const std::vector<UsageOption>& options,
               std::size_t max_operands = SIZE_MAX);

/// The words that are neither options nor their values.
std::vector<std::string> OperandsOf(const Args& args, const std::vector<UsageOption>& options);

/// What `mkctl --help` prints.
std::string ToolHelp(std::span<const CommandEntry> commands, std::span<const OptionHelp> glossary,
                     std::string_view common);
/// What `mkctl COMMAND --help` prints.
std::string CommandHelp(const CommandEntry& command, std::span<const OptionHelp> glossary,
                        std::string_view common);
/// The usage line of a command, with the common options.
std::string UsageLine(const CommandEntry& command, std::string_view common);

/// What every help ends with: the exit statuses.
extern const char* const kExitStatuses;

}  // namespace mk::tools
