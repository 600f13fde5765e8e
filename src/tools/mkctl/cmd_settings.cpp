// mkctl settings: every control of the editor's value pages with the value the
// editor would show, and changes made by the editor's own write-back rules.
// Both run inside the device model's edit transaction, as the editor does.
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "device/atomic_file.h"
#include "device/settings_file.h"
#include "settings/env.h"
#include "settings/setting_table.h"
#include "settings/setting_value.h"
#include "text/error.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

namespace {

void PrintSettings(const device::TMK& mk) {
  const settings::Env env = settings::Env::Of(mk);
  for (const auto& page : settings::kPages) {
    const auto list = settings::SettingsOf(page.page);
    if (list.empty()) continue;
    std::printf("# %s\n", std::string(page.caption).c_str());
    for (const settings::Setting* s : list) {
      const bool shown = settings::Visible(*s, mk, env);
      std::printf("%s=%s%s\n", std::string(s->name).c_str(),
                  settings::ShowAsText(*s, mk, env).c_str(), shown ? "" : " # скрыта");
    }
  }
}

std::vector<std::pair<std::string, std::string>> Assignments(const Args& args) {
  std::vector<std::pair<std::string, std::string>> sets;
  for (std::size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] != "--set") continue;
    const std::string& word = args[++i];
    const auto eq = word.find('=');
    if (eq == std::string::npos || eq == 0) {
      throw UsageError("«" + word + "»: нужно ИМЯ=ЗНАЧЕНИЕ");
    }
    sets.emplace_back(word.substr(0, eq), word.substr(eq + 1));
  }
  return sets;
}

void Apply(device::TMK& mk, const std::string& name, const std::string& value) {
  const settings::Setting* s = settings::FindSetting(name);
  if (s == nullptr) throw Error("Нет настройки «" + name + "».");
  // The environment follows each change: a new protocol changes what is shown.
  const settings::Env env = settings::Env::Of(mk);
  if (!settings::Visible(*s, mk, env)) {
    throw Error("Настройка «" + name + "» скрыта для этого МК и не меняется.");
  }
  if (s->block == device::BlockId::Cargo) {
    throw Error("Настройка «" + name + "» не хранится в файле настроек.");
  }
  settings::CommitFromText(*s, mk, env, value);
}

}  // namespace

int CmdSettings(const Args& args) {
  const auto files = Operands(args);
  if (files.size() != 1) throw UsageError("укажите один файл настроек");
  const auto sets = Assignments(args);
  const std::string out = Option(args, "out");
  if (sets.empty() != out.empty()) throw UsageError("--set и --out нужны вместе");

  device::TMK mk;
  device::LoadSettingsFile(FilePath(files[0]), mk);
  if (sets.empty()) {
    mk.EditSettings([&] {
      PrintSettings(mk);
      return false;
    });
    return 0;
  }
  // A refused value ends the transaction before anything is stored or written.
  mk.EditSettings([&] {
    for (const auto& [name, value] : sets) Apply(mk, name, value);
    return true;
  });
  device::SaveSettingsFile(FilePath(out), mk);
  std::printf("Настройки сохранены в файл «%s»\n", device::PathText(FilePath(out)).c_str());
  return 0;
}

}  // namespace mk::tools
