// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/preset.h"

#include <algorithm>

#include "device/atomic_file.h"
#include "device/file_reader.h"
#include "settings/edited_blocks.h"
#include "settings/env.h"
#include "settings/pages.h"
#include "settings/setting_table.h"
#include "settings/setting_value.h"
#include "settings/typed_input.h"
#include "text/error.h"
#include "text/utf8_path.h"

namespace mk::settings {

namespace {

// Settings a preset carries: those a file holds and typed input may change.
bool Carried(const Setting& s) {
  return !s.read_only && StoredByEdit(s.block);
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
    text.remove_suffix(1);
  }
  return text;
}

std::string Header(const device::TMK& mk, const std::string& date) {
  const auto& variant = mk.Catalogues().Variant();
  return "# Настройки МК как текст (Конфигуратор МК)\n# Модель: " + std::string(variant.project) +
         " (версия устройства " + std::to_string(mk.DeviceVersion()) + ", вариант " +
         std::to_string(variant.firmware_variant) + "), прошивка " +
         std::to_string(mk.FirmwareVersion()) + "\n# Дата: " + date +
         "\n# Строка «ИМЯ = значение»; значения - как в редакторе, в его единицах.\n";
}

// What one line asks: a section, an assignment, or nothing (blank, comment).
struct Line {
  enum { kNothing, kSection, kAssignment, kBad } what = kNothing;
  std::string_view name, value;
};

Line Parse(std::string_view raw) {
  const std::string_view text = Trim(raw);
  if (text.empty() || text.front() == '#' || text.front() == ';') return {};
  if (text.front() == '[' && text.back() == ']') {
    return {Line::kSection, Trim(text.substr(1, text.size() - 2)), {}};
  }
  const auto eq = text.find('=');
  if (eq == std::string_view::npos || Trim(text.substr(0, eq)).empty()) return {Line::kBad, {}, {}};
  // A text keeps its own spaces but the one after "=".
  std::string_view value = raw.substr(raw.find('=') + 1);
  while (!value.empty() && (value.back() == '\r' || value.back() == '\n')) value.remove_suffix(1);
  return {Line::kAssignment, Trim(text.substr(0, eq)), value};
}

}  // namespace

std::string PresetText(const device::TMK& mk, const std::vector<Page>& pages,
                       const std::string& date) {
  std::string out = Header(mk, date);
  const Env env = Env::Of(mk);
  for (const PageInfo& page : kPages) {
    if (std::ranges::find(pages, page.page) == pages.end()) continue;
    std::string lines;
    for (const Setting* s : SettingsOf(page.page)) {
      if (!Carried(*s) || !Visible(*s, mk, env)) continue;
      lines += "# " + DisplayName(*s, env) + ": " + AllowedText(*s, mk) + "\n";
      const std::string line = std::string(s->name) + " = " + TypedValue(*s, mk) + "\n";
      lines += OutOfRange(*s, mk, env) ? "# вне диапазона, не переносится: " + line : line;
    }
    if (!lines.empty()) out += "\n[" + std::string(page.caption) + "]\n" + lines;
  }
  return out;
}

PresetOutcome ApplyPreset(device::TMK& mk, std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  PresetOutcome outcome;
  int number = 0;
  for (std::size_t from = 0; from < text.size();) {
    const std::size_t end = std::min(text.find('\n', from), text.size());
    const std::string_view raw = text.substr(from, end - from);
    from = end + 1;
    const std::string at = "Строка " + std::to_string(++number) + ": ";
    const Line line = Parse(raw);
    if (line.what == Line::kNothing) continue;
    if (line.what == Line::kBad) {
      outcome.refused.push_back(at + "нужно «ИМЯ = значение».");
    } else if (line.what == Line::kSection) {
      const bool known =
          std::ranges::any_of(kPages, [&](const PageInfo& p) { return p.caption == line.name; });
      if (!known) outcome.refused.push_back(at + "нет страницы «" + std::string(line.name) + "».");
    } else if (const Setting* s = FindSetting(line.name); s == nullptr || !Carried(*s)) {
      outcome.refused.push_back(at + "нет настройки «" + std::string(line.name) + "».");
    } else {
      const Env env = Env::Of(mk);
      const std::string value(s->kind == Kind::Text && line.value.starts_with(' ')
                                  ? line.value.substr(1)
                                  : Trim(line.value));
      if (!Visible(*s, mk, env)) {
        outcome.skipped.push_back(at + "«" + DisplayName(*s, env) + "» (" + std::string(s->name) +
                                  ") скрыта для этого МК и не взята.");
      } else if (value != TypedValue(*s, mk)) {
        try {
          TypeIn(mk, *s, value);
          outcome.taken.push_back(s);
        } catch (const RangeError& e) {
          outcome.refused.push_back(at + e.what());  // the range is in the message
        } catch (const Error& e) {
          outcome.refused.push_back(at + e.what() + " Можно: " + AllowedText(*s, mk) + ".");
        }
      } else {
        outcome.taken.push_back(s);
      }
    }
  }
  return outcome;
}

std::string ReadPreset(const std::filesystem::path& path) {
  const std::string name = text::PathText(path);
  const auto bytes =
      device::ReadFileAtMost(path, 1 << 20,
                             {"Не удалось прочитать файл настроек-текста «" + name + "».",
                              "Файл «" + name + "» больше 1 МБ: это не настройки-текст."});
  return {bytes.begin(), bytes.end()};
}

void SavePreset(const std::filesystem::path& path, const std::string& text) {
  device::WriteFileAtomically(
      path, text, "Не удалось сохранить настройки-текст в файл «" + text::PathText(path) + "».");
}

}  // namespace mk::settings
