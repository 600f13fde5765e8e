// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl set: raw fields of a settings file changed by name, into a new file.
#include <cstdio>

#include "device/atomic_file.h"
#include "device/block_tables.h"
#include "device/field_paths.h"
#include "device/settings_file.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

int CmdSet(const Args& args) {
  const auto words = Operands(args);
  const std::string out = Option(args, "out");
  if (words.size() < 2) throw UsageError("укажите файл настроек и хотя бы одно Блок.Поле=значение");
  if (out.empty()) throw UsageError("укажите новый файл: --out ФАЙЛ");
  device::TMK mk;
  device::LoadSettingsFile(text::PathFromUtf8(words[0]), mk);
  for (std::size_t i = 1; i < words.size(); ++i) {
    const std::size_t eq = words[i].find('=');
    if (eq == std::string::npos) {
      throw UsageError("«" + device::EscapeText(words[i]) + "»: нужно Блок.Поле=значение");
    }
    const std::string path = words[i].substr(0, eq);
    // A change to a block the file does not hold (Cargo) would never reach it.
    if (const device::BlockDef* block = device::FindBlock(path.substr(0, path.find('.')));
        block != nullptr && !device::InSettingsFile(static_cast<device::BlockId>(block->number)))
      throw Error(device::NotStoredMessage(path));
    device::SetField(mk, path, words[i].substr(eq + 1));
  }
  mk.StoreAll();
  device::SaveSettingsFile(text::PathFromUtf8(out), mk);
  std::printf("Настройки сохранены в файл «%s»\n", text::PathText(text::PathFromUtf8(out)).c_str());
  return 0;
}

}  // namespace mk::tools
