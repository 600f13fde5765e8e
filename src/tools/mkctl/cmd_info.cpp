// mkctl info: what a settings file holds, at a glance.
#include <cstdio>

#include "device/settings_file.h"
#include "text/error.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

int CmdInfo(const Args& args) {
  const auto files = Operands(args);
  if (files.size() != 1) throw UsageError("укажите один файл настроек");
  device::TMK mk;
  device::LoadSettingsFile(FilePath(files[0]), mk);
  const device::BlockDirectory& d = mk.Directory();
  std::printf("device-version %u\nfirmware-version %u\nimage-size %zu\nblock-count %u\n",
              unsigned{mk.DeviceVersion()}, unsigned{d.FirmwareVersion}, mk.Image().size(),
              unsigned{d.BlockCount});
  std::printf("block  address  length  data  position\n");
  for (std::size_t k = 1; k <= device::kDirectoryEntries; ++k) {
    const int entry = static_cast<int>(k);
    std::printf("%5zu  %7u  %6u  %4zu  %8lld\n", k, unsigned{d.BlockAddress[k - 1]},
                unsigned{d.BlockLength[k - 1]}, d.DataLength(entry),
                static_cast<long long>(d.Position(entry)));
  }
  return 0;
}

}  // namespace mk::tools
