// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl settings: every setting of the editor, drawn by hand or not, with the
// value the editor would show, and changes made by the editor's own
// write-back rules. Changes run inside the device model's edit transaction, as
// the editor's do; showing runs inside a look that refuses nothing it can show.
#include <cstdio>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

#include "device/atomic_file.h"
#include "device/field_paths.h"
#include "device/settings_file.h"
#include "device/settings_look.h"
#include "settings/conversions.h"
#include "settings/edited_blocks.h"
#include "settings/env.h"
#include "settings/lists.h"
#include "settings/preset.h"
#include "settings/setting_table.h"
#include "settings/setting_value.h"
#include "settings/shown_diff.h"
#include "settings/take_pages.h"
#include "settings/typed_input.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "tools/mkctl/command_line.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/json.h"
#include "tools/mkctl/shown_output.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {

namespace {

using settings::Kind;
using settings::Setting;

// The pages to print: all, or the one --page names by its caption.
std::vector<settings::PageInfo> PagesToPrint(const Args& args) {
  const std::string wanted = Option(args, "page");
  std::vector<settings::PageInfo> pages;
  std::string known;
  for (const auto& page : settings::kPages) {
    if (wanted.empty() || wanted == page.caption) {
      pages.push_back(page);
    }
    known += (known.empty() ? "" : ", ") + std::string(page.caption);
  }
  if (pages.empty()) throw UsageError("нет страницы «" + wanted + "»; есть: " + known);
  return pages;
}

void PrintText(const device::TMK& mk, const std::vector<settings::PageInfo>& pages) {
  const settings::Env env = settings::Env::Of(mk);
  for (const auto& page : pages) {
    const auto list = settings::SettingsOf(page.page);
    if (list.empty()) continue;
    std::printf("# %s\n", std::string(page.caption).c_str());
    for (const Setting* s : list) {
      const bool shown = settings::Visible(*s, mk, env);
      // A value outside its rule is printed as stored, never as a valid one made up.
      const bool out = settings::OutOfRange(*s, mk, env);
      // Texts on one line, escaped as dump escapes them.
      std::string value = settings::ShowAsText(*s, mk, env);
      if (s->kind == Kind::Text) value = device::EscapeText(value);
      std::printf("%s=%s%s%s\n", std::string(s->name).c_str(), value.c_str(),
                  out ? " # вне диапазона" : "", shown ? "" : " # скрыта");
    }
  }
}

std::string Number(double v, int decimals) {
  return settings::FormatNumber(v, decimals, '.');
}

// "min", "max" and "step" of what the control allows, as the editor shows them.
std::string RangeJson(const Setting& s, const device::TMK& mk, const settings::Env& env) {
  switch (s.kind) {
    case Kind::Spin: {
      const settings::Shape shape = settings::ShapeOf(s, mk, env);
      return "\"min\": " + Number(shape.min, shape.decimals) +
             ", \"max\": " + Number(shape.max, shape.decimals) +
             ", \"step\": " + Number(shape.step, shape.decimals);
    }
    case Kind::Time:
      return R"("min": "00:00", "max": "23:59", "step": null)";
    case Kind::Date:
      return "\"min\": " + Quote(settings::DayShown(static_cast<std::uint32_t>(s.min))) +
             ", \"max\": " + Quote(settings::DayShown(static_cast<std::uint32_t>(s.max))) +
             ", \"step\": null";
    default:
      return R"("min": null, "max": null, "step": null)";
  }
}

void PrintJson(const device::TMK& mk, const std::vector<settings::PageInfo>& pages) {
  const settings::Env env = settings::Env::Of(mk);
  std::printf("{\"settings\": [");
  const char* sep = "\n  ";
  for (const auto& page : pages) {
    for (const Setting* s : settings::SettingsOf(page.page)) {
      std::printf(
          "%s{\"name\": %s, \"caption\": %s, \"page\": %s, \"group\": %s, \"shown\": %s, "
          "\"stored\": %s, \"unit\": %s, %s, \"hidden\": %s, \"out_of_range\": %s}",
          sep, Quote(s->name).c_str(), Quote(settings::DisplayName(*s, env)).c_str(),
          Quote(page.caption).c_str(), Quote(s->group).c_str(),
          Quote(settings::ShowAsText(*s, mk, env)).c_str(),
          Quote(settings::StoredText(*s, mk, env)).c_str(),
          Quote(settings::UnitOf(*s, env)).c_str(), RangeJson(*s, mk, env).c_str(),
          settings::Visible(*s, mk, env) ? "false" : "true",
          settings::OutOfRange(*s, mk, env) ? "true" : "false");
      sep = ",\n  ";
    }
  }
  std::printf("\n], \"blocks\": [");
  sep = "";
  for (const auto& block : settings::UsedBlocks(mk, env)) {
    std::printf("%s{\"number\": %u, \"name\": %s}", sep, unsigned{block.number},
                Quote(block.name).c_str());
    sep = ", ";
  }
  std::printf("]}\n");
}

std::vector<std::pair<std::string, std::string>> Assignments(const Args& args) {
  std::vector<std::pair<std::string, std::string>> sets;
  for (std::size_t i = 0; i + 1 < args.size(); ++i) {
    if (args[i] != "--set") continue;
    const std::string& word = args[++i];
    const auto eq = word.find('=');
    if (eq == std::string::npos || eq == 0) {
      throw UsageError("«" + device::EscapeText(word) + "»: нужно ИМЯ=ЗНАЧЕНИЕ");
    }
    sets.emplace_back(word.substr(0, eq), word.substr(eq + 1));
  }
  return sets;
}

void Apply(device::TMK& mk, const std::string& name, const std::string& value) {
  const Setting* s = settings::FindSetting(name);
  // A name with a line break is no setting's; the message stays on one line.
  if (s == nullptr) throw Error("Нет настройки «" + device::EscapeText(name) + "».");
  settings::TypeIn(mk, *s, value);
}

// The pages of another file over these settings; what changed is printed.
void Take(device::TMK& mk, const std::string& from_file, const std::string& pages_list) {
  const std::vector<settings::Page> pages = settings::PagesFromCaptions(SplitList(pages_list));
  device::TMK from;
  device::LoadSettingsFile(text::PathFromUtf8(from_file), from);
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

// The pages a preset holds: those --pages names, or all.
std::vector<settings::Page> PresetPages(const Args& args) {
  const std::string list = Option(args, "pages");
  if (!list.empty()) return settings::PagesFromCaptions(SplitList(list));
  std::vector<settings::Page> all;
  all.reserve(settings::kPages.size());
  for (const auto& page : settings::kPages) all.push_back(page.page);
  return all;
}

std::string Today() {
  const std::time_t now = std::time(nullptr);
  char text[16] = {};
  std::strftime(text, sizeof text, "%Y-%m-%d", std::localtime(&now));
  return text;
}

void Export(const device::TMK& mk, const Args& args) {
  const std::string text = settings::PresetText(mk, PresetPages(args), Today());
  const std::string out = Option(args, "out");
  if (out.empty()) {
    std::fputs(text.c_str(), stdout);
    return;
  }
  settings::SavePreset(text::PathFromUtf8(out), text);
  std::printf("Настройки-текст сохранены в файл «%s»\n",
              text::PathText(text::PathFromUtf8(out)).c_str());
}

// The preset over the settings; refused lines end the transaction unless --partial.
void Import(device::TMK& mk, const std::string& preset, bool partial) {
  const settings::PresetOutcome outcome =
      settings::ApplyPreset(mk, settings::ReadPreset(text::PathFromUtf8(preset)));
  std::string refused;
  for (const std::string& line : outcome.refused) refused += line + "\n";
  if (!refused.empty() && !partial) {
    throw Error(refused + "Не принято строк: " + std::to_string(outcome.refused.size()) +
                "; файл не записан (--partial возьмёт остальные).");
  }
  if (!refused.empty()) std::printf("Не приняты:\n%s", refused.c_str());
  if (!outcome.skipped.empty()) std::printf("Скрыты для этого МК и не взяты:\n");
  for (const std::string& line : outcome.skipped) std::printf("  %s\n", line.c_str());
  std::printf("Взято настроек: %zu\n", outcome.taken.size());
}

}  // namespace

int CmdSettings(const Args& args) {
  const auto files = Operands(args);
  if (files.size() != 1) throw UsageError("укажите один файл настроек");
  const auto sets = Assignments(args);
  const std::string out = Option(args, "out");
  const std::string take_from = Option(args, "take-from");
  const std::string preset = Option(args, "import");
  const bool exporting = HasFlag(args, "export");
  if (exporting && (!sets.empty() || !take_from.empty() || !preset.empty())) {
    throw UsageError("--export не сочетается с --set, --take-from и --import");
  }
  if (!exporting && take_from.empty() != Option(args, "pages").empty()) {
    throw UsageError("--take-from и --pages нужны вместе");
  }
  if (!exporting && (sets.empty() && take_from.empty() && preset.empty()) != out.empty()) {
    throw UsageError("--out нужен вместе с --set, --take-from или --import");
  }
  if (HasFlag(args, "partial") && preset.empty()) throw UsageError("--partial нужен с --import");
  const auto pages = PagesToPrint(args);
  const bool json = HasFlag(args, "json");

  device::TMK mk;
  device::LoadSettingsFile(text::PathFromUtf8(files[0]), mk);
  if (exporting) {
    mk.EditSettings([&] {
      Export(mk, args);
      return false;
    });
    return 0;
  }
  if (sets.empty() && take_from.empty() && preset.empty()) {
    // Showing refuses nothing: a protocol number past the catalogue prints as stored.
    device::ShowSettings(mk, [&] {
      if (json) {
        PrintJson(mk, pages);
      } else {
        PrintText(mk, pages);
      }
    });
    return 0;
  }
  // A refused value ends the transaction before anything is stored or written.
  mk.EditSettings([&] {
    if (!take_from.empty()) Take(mk, take_from, Option(args, "pages"));
    if (!preset.empty()) Import(mk, preset, HasFlag(args, "partial"));
    for (const auto& [name, value] : sets) Apply(mk, name, value);
    return true;
  });
  device::SaveSettingsFile(text::PathFromUtf8(out), mk);
  std::printf("Настройки сохранены в файл «%s»\n", text::PathText(text::PathFromUtf8(out)).c_str());
  return 0;
}

}  // namespace mk::tools
