// The subcommands of mkctl. Each lives in its own cmd_<name>.cpp and is listed
// once in the table of main.cpp.
#pragma once

#include <string>
#include <vector>

namespace mk::tools {

using Args = std::vector<std::string>;

/// Each returns the process exit status; errors go to standard error.
int CmdPorts(const Args& args);
int CmdIdentify(const Args& args);
int CmdCatalog(const Args& args);
int CmdRead(const Args& args);
int CmdWrite(const Args& args);
int CmdInfo(const Args& args);
int CmdDump(const Args& args);
int CmdPreview(const Args& args);

struct CommandEntry {
  const char* name;
  const char* usage;
  int (*run)(const Args& args);
};

/// The value after `--name` in args, or `fallback`.
std::string Option(const Args& args, const std::string& name, const std::string& fallback = "");
bool HasFlag(const Args& args, const std::string& name);

}  // namespace mk::tools
