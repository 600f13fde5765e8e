// mkctl: the configurator's core for scripts and tests.
#include <cstdio>
#include <cstring>
#include <exception>

#include "text/error.h"
#include "tools/mkctl/commands.h"

namespace mk::tools {
namespace {

constexpr CommandEntry kCommands[] = {
    {"ports", "ports                      the COM numbers present and the MK's USB port", CmdPorts},
    {"identify", "identify --port PORT [--timeout SECONDS]", CmdIdentify},
    {"catalog", "catalog --device-version N --variant V [--protocol P] [--json] | --file FILE",
     CmdCatalog},
    {"read", "read --port PORT --out FILE [--timeout SECONDS]", CmdRead},
    {"write", "write --port PORT --in FILE [--timeout SECONDS]", CmdWrite},
    {"info", "info FILE                  device and firmware version, block directory", CmdInfo},
    {"dump", "dump FILE                  every named field as Block.Field=value", CmdDump},
    {"preview", "preview FILE --screen KIND:N --out PICTURE.png   KIND: x4 x9 x7 x3 x6 graph arrow",
     CmdPreview},
};

void Usage() {
  std::fprintf(
      stderr,
      "usage: mkctl COMMAND [options]\n\nPORT is a COM number (7, COM7) or a device path.\n\n");
  for (const auto& c : kCommands) std::fprintf(stderr, "  mkctl %s\n", c.usage);
}

}  // namespace

std::string Option(const Args& args, const std::string& name, const std::string& fallback) {
  for (std::size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] == "--" + name) return args[i + 1];
  }
  return fallback;
}

bool HasFlag(const Args& args, const std::string& name) {
  for (const auto& a : args) {
    if (a == "--" + name) return true;
  }
  return false;
}

}  // namespace mk::tools

int main(int argc, char** argv) {
  using namespace mk::tools;
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
    Usage();
    return argc < 2 ? 2 : 0;
  }
  const Args args(argv + 2, argv + argc);
  for (const auto& c : kCommands) {
    if (std::strcmp(argv[1], c.name) != 0) continue;
    try {
      return c.run(args);
    } catch (const mk::Error& e) {
      std::fprintf(stderr, "%s\n", e.what());
      return 1;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "Ошибка: %s\n", e.what());
      return 1;
    }
  }
  std::fprintf(stderr, "mkctl: неизвестная команда «%s»\n", argv[1]);
  Usage();
  return 2;
}
