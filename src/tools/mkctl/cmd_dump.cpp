// mkctl dump: every named field of a settings file, one `Block.Field=value` a line.
#include <cstdio>

#include "device/field_paths.h"
#include "device/settings_file.h"
#include "text/error.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

int CmdDump(const Args& args) {
  const auto files = Operands(args);
  if (files.size() != 1) throw UsageError("укажите один файл настроек");
  device::TMK mk;
  device::LoadSettingsFile(FilePath(files[0]), mk);
  mk.LoadCargo();  // not part of a load, but part of what the file holds
  for (const device::FieldValue& v : device::DumpFields(mk)) {
    std::printf("%s=%s\n", v.path.c_str(), v.text.c_str());
  }
  return 0;
}

}  // namespace mk::tools
