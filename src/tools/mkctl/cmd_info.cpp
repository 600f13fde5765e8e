// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl info: what a settings file holds, at a glance, and whether the
// program takes it.
#include <cstdio>

#include "device/settings_file.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

int CmdInfo(const Args& args) {
  const auto files = Operands(args);
  if (files.size() != 1) throw UsageError("укажите один файл настроек");
  // A damaged file is shown too: seeing what it holds is how one learns why it is refused.
  const device::SettingsFileContents contents =
      device::ReadSettingsFile(text::PathFromUtf8(files[0]));
  const device::BlockDirectory d = device::BlockDirectory::Parse(contents.image);
  std::printf("device-version %u\nfirmware-version %u\nimage-size %zu\nblock-count %u\n",
              unsigned{contents.device_version}, unsigned{d.FirmwareVersion}, contents.image.size(),
              unsigned{d.BlockCount});
  std::printf("block  address  length  data  position\n");
  for (std::size_t k = 1; k <= device::kDirectoryEntries; ++k) {
    const int entry = static_cast<int>(k);
    std::printf("%5zu  %7u  %6u  %4zu  %8lld\n", k, unsigned{d.BlockAddress[k - 1]},
                unsigned{d.BlockLength[k - 1]}, d.DataLength(entry),
                static_cast<long long>(d.Position(entry)));
  }
  const std::string fault = device::SettingsFileFault(contents);
  std::printf("verdict %s\n", fault.empty() ? "ok" : fault.c_str());
  if (fault.empty()) return 0;
  std::fprintf(stderr, "%s\n", fault.c_str());
  return 1;
}

}  // namespace mk::tools
