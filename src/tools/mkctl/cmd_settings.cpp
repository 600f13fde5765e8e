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
#include "settings/shown_diff.h"
#include "settings/take_pages.h"
#include "text/error.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/shown_output.h"
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

std::vector<std::string> Split(const std::string& list) {
  std::vector<std::string> words;
  std::size_t from = 0;
  for (std::size_t comma; (comma = list.find(',', from)) != std::string::npos; from = comma + 1) {
    words.push_back(list.substr(from, comma - from));
  }
  words.push_back(list.substr(from));
  return words;
}

// The pages of another file over these settings; what changed is printed.
void Take(device::TMK& mk, const std::string& from_file, const std::string& pages_list) {
  const std::vector<settings::Page> pages = settings::PagesFromCaptions(Split(pages_list));
  device::TMK from;
  device::LoadSettingsFile(FilePath(from_file), from);
  const device::TMK before = mk;
  const settings::TakeResult taken = settings::TakePages(from, mk, pages);
  const settings::ShownDiff d = settings::DiffShownPages(before, mk, pages);
  for (const auto& c : d.changes) std::printf("%s\n", settings::LineOf(c).c_str());
  std::printf("Взято настроек: %zu, изменилось: %zu\n", taken.taken.size(), d.SettingCount());
  if (!taken.skipped.empty()) {
    std::printf("Скрыты для этого МК и не взяты: %zu\n", taken.skipped.size());
    const settings::Env env = settings::Env::Of(mk);
    for (const settings::Setting* s : taken.skipped) {
      std::printf("  %s / %s\n", std::string(settings::InfoOf(s->page).caption).c_str(),
                  settings::DisplayName(*s, env).c_str());
    }
  }
}

}  // namespace

int CmdSettings(const Args& args) {
  const auto files = Operands(args);
  if (files.size() != 1) throw UsageError("укажите один файл настроек");
  const auto sets = Assignments(args);
  const std::string out = Option(args, "out");
  const std::string take_from = Option(args, "take-from");
  if (take_from.empty() != Option(args, "pages").empty()) {
    throw UsageError("--take-from и --pages нужны вместе");
  }
  if ((sets.empty() && take_from.empty()) != out.empty()) {
    throw UsageError("--out нужен вместе с --set или --take-from");
  }

  device::TMK mk;
  device::LoadSettingsFile(FilePath(files[0]), mk);
  if (sets.empty() && take_from.empty()) {
    mk.EditSettings([&] {
      PrintSettings(mk);
      return false;
    });
    return 0;
  }
  // A refused value ends the transaction before anything is stored or written.
  mk.EditSettings([&] {
    if (!take_from.empty()) Take(mk, take_from, Option(args, "pages"));
    for (const auto& [name, value] : sets) Apply(mk, name, value);
    return true;
  });
  device::SaveSettingsFile(FilePath(out), mk);
  std::printf("Настройки сохранены в файл «%s»\n", device::PathText(FilePath(out)).c_str());
  return 0;
}

}  // namespace mk::tools
