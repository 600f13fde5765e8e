// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl diff: two settings images compared field by field, a file with a file
// or with the MK's memory.
#include <cstdio>
#include <string>

#include "device/settings_diff.h"
#include "device/settings_file.h"
#include "device/transfer.h"
#include "settings/shown_diff.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/shown_output.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

int CmdDiff(const Args& args) {
  const auto files = Operands(args);
  const bool from_mk = !Option(args, "port").empty();
  if (files.empty() || files.size() > 2 || (files.size() == 2) == from_mk) {
    throw UsageError("укажите два файла настроек или один файл и --port ПОРТ");
  }
  // Scripts tell "different" (1) from "could not compare" (2).
  try {
    device::TMK a;
    device::LoadSettingsFile(text::PathFromUtf8(files[0]), a);
    device::TMK b;
    if (from_mk) {
      TransferLink channel(args);
      if (device::ReadSettings(channel.rs, b, channel.progress, channel.pump, &channel.found) !=
          device::TransferResult::Done) {
        throw Error(link::kNoLink);
      }
      channel.rs.ClosePort();
      channel.progress.EndLine();
    } else {
      device::LoadSettingsFile(text::PathFromUtf8(files[1]), b);
    }
    if (HasFlag(args, "shown")) {
      const settings::ShownDiff d = settings::DiffShown(a, b);
      if (HasFlag(args, "json")) {
        std::printf("%s", ShownJson(d).c_str());
      } else {
        PrintShownText(d);
      }
      return d.Empty() ? 0 : 1;
    }
    if (HasFlag(args, "json")) throw UsageError("--json только вместе с --shown");
    const auto lines = device::DiffSettings(a, b, HasFlag(args, "settings-only"));
    for (const auto& line : lines) std::printf("%s\n", line.c_str());
    std::printf("Различий: %s\n", std::to_string(lines.size()).c_str());
    return lines.empty() ? 0 : 1;
  } catch (const Error& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 2;
  }
}

}  // namespace mk::tools
