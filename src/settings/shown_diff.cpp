// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/shown_diff.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "settings/env.h"
#include "settings/setting_table.h"
#include "settings/setting_value.h"
#include "text/error.h"

namespace mk::settings {

namespace {

using device::BlockId;
using device::FieldDef;
using device::FieldType;

// A copy whose catalogues follow its own image, as the editor builds them.
device::TMK Prepared(const device::TMK& mk) {
  device::TMK copy = mk;
  try {
    copy.RebuildCatalogues(device::CatalogueStep::Protocols);
    copy.RebuildCatalogues(device::CatalogueStep::ParametersAndMenu);
  } catch (const Error&) {
    // A protocol number the catalogue cannot take: shown with the default catalogues.
  }
  return copy;
}

std::string UnitOf(const std::string& caption) {
  const auto comma = caption.rfind(", ");
  return comma == std::string::npos ? std::string() : caption.substr(comma + 2);
}

ShownChange ChangeOf(const Setting& s, const Env& env, std::string old_value,
                     std::string new_value) {
  ShownChange c;
  c.setting = &s;
  c.page = s.page;
  c.page_caption = std::string(InfoOf(s.page).caption);
  if (s.group != InfoOf(s.page).caption) c.group = std::string(s.group);
  c.caption = DisplayName(s, env);
  c.unit = UnitOf(ShapeOf(s, env).caption);
  c.old_value = std::move(old_value);
  c.new_value = std::move(new_value);
  return c;
}

// --- What the settings cover --------------------------------------------------
// Per field element, the bits some setting shows; bytes in element order.
using Coverage = std::map<std::pair<const FieldDef*, std::size_t>, std::vector<std::uint8_t>>;

Coverage CoverageOf() {
  Coverage cover;
  for (const Setting& s : AllSettings()) {
    const FieldDef* f = device::BlockDefOf(s.block).Find(s.field);
    if (f == nullptr || s.index >= f->count) continue;
    auto& mask = cover[{f, s.index}];
    mask.resize(f->elem_size, 0);
    if (s.bit < 0) {
      std::ranges::fill(mask, 0xFF);
      continue;
    }
    for (int bit = s.bit; bit < s.bit + s.bit_count; ++bit) {
      std::size_t byte = static_cast<std::size_t>(bit / 8);
      if (f->type == FieldType::U16BE) byte = f->elem_size - 1 - byte;
      if (byte < mask.size()) mask[byte] |= static_cast<std::uint8_t>(1u << (bit % 8));
    }
  }
  return cover;
}

enum class Noun { Records, Values };

struct Summary {
  std::string label;
  Noun noun;
};

// Where a field no setting covers is counted.
Summary SummaryOf(BlockId block, std::string_view field) {
  switch (block) {
    case BlockId::Totals:
      return {"Суммарные показатели", Noun::Values};
    case BlockId::Journals:
      if (field == "TripJournal") return {"Журнал поездок", Noun::Records};
      if (field == "TankJournal") return {"Журнал заправок", Noun::Records};
      return {"Журналы", Noun::Values};
    case BlockId::ErrorJournal:
      if (field == "ErrorRecords") return {"Журнал ошибок", Noun::Records};
      return {"Журнал ошибок (служебные данные)", Noun::Values};
    case BlockId::Parking:
      return {"Парковка", Noun::Values};
    case BlockId::FuelSensor:
      return {"Бак", Noun::Values};
    case BlockId::TankCalibration:
      return {"Тарировка бака", Noun::Values};
    case BlockId::Service:
      return {"ТО", Noun::Values};
    case BlockId::Limits:
      return {"Границы", Noun::Values};
    case BlockId::AlarmStyles:
      return {"Озвуч.сообщения", Noun::Values};
    case BlockId::Display:
      if (field == "ColorSet") return {"Цветовые схемы", Noun::Values};
      if (field == "HotMenu") return {"Горячие меню", Noun::Values};
      if (field.ends_with("Params")) return {"Дисплеи (параметры экранов)", Noun::Values};
      return {"Дисплей", Noun::Values};
    case BlockId::ServiceInfo:
      return {"Сведения об МК", Noun::Values};
    default:
      return {"Блок " + std::to_string(static_cast<int>(block)), Noun::Values};
  }
}

std::string CountLine(const std::string& label, std::size_t n, Noun noun) {
  return label + ": " +
         (noun == Noun::Records
              ? CountText(n, "запись различается", "записи различаются", "записей различаются")
              : CountText(n, "значение различается", "значения различаются",
                          "значений различаются"));
}

bool ElementDiffers(std::span<const std::uint8_t> x, std::span<const std::uint8_t> y,
                    const std::vector<std::uint8_t>* mask) {
  for (std::size_t i = 0; i < x.size() && i < y.size(); ++i) {
    const std::uint8_t ignore = mask != nullptr && i < mask->size() ? (*mask)[i] : 0;
    if (((x[i] ^ y[i]) & ~ignore) != 0) return true;
  }
  return false;
}

void SummariseFields(const device::TMK& a, const device::TMK& b, ShownDiff& d) {
  const Coverage cover = CoverageOf();
  std::vector<std::pair<Summary, std::size_t>> counts;
  for (const device::BlockDef& def : device::AllBlockDefs()) {
    const auto block = static_cast<BlockId>(def.number);
    if (block == BlockId::Cargo) continue;  // never in a file, never written
    for (const FieldDef& f : def.fields) {
      std::size_t differing = 0;
      for (std::size_t i = 0; i < f.count; ++i) {
        const auto covered = cover.find({&f, i});
        const auto* mask = covered == cover.end() ? nullptr : &covered->second;
        if (ElementDiffers(a.Rec(block).Element(f, i), b.Rec(block).Element(f, i), mask)) {
          ++differing;
        }
      }
      if (differing == 0) continue;
      const Summary summary = SummaryOf(block, f.name);
      const auto it = std::ranges::find_if(
          counts, [&](const auto& entry) { return entry.first.label == summary.label; });
      if (it == counts.end()) {
        counts.emplace_back(summary, differing);
      } else {
        it->second += differing;
      }
    }
  }
  for (const auto& [summary, n] : counts)
    d.other.push_back(CountLine(summary.label, n, summary.noun));
}

// The oscilloscope recording and whatever else lies outside the records.
void SummariseBytes(const device::TMK& a, const device::TMK& b, ShownDiff& d) {
  const auto& x = a.Image();
  const auto& y = b.Image();
  const std::size_t common = std::min(x.size(), y.size());
  std::vector<bool> skip(common, false);
  for (const device::TMK* mk : {&a, &b}) {
    for (const device::BlockDef& def : device::AllBlockDefs()) {
      const std::int64_t position = mk->Directory().Position(def.number);
      if (position < 0) continue;
      const std::size_t length = std::min(def.record_size, mk->Directory().DataLength(def.number));
      for (std::size_t i = 0; i < length; ++i) {
        if (static_cast<std::size_t>(position) + i < common) {
          skip[static_cast<std::size_t>(position) + i] = true;
        }
      }
    }
  }
  const auto in_scope = [](std::size_t at) {
    for (const std::size_t from : {device::kOscPart1Position, device::kOscPart2Position}) {
      if (at >= from && at < from + device::kOscHeaderSize + device::kOscSamplesPerPart) {
        return true;
      }
    }
    return false;
  };
  std::size_t scope = 0, rest = 0;
  for (std::size_t i = device::BlockDirectory::kSize; i < common; ++i) {
    if (skip[i] || x[i] == y[i]) continue;
    ++(in_scope(i) ? scope : rest);
  }
  const auto bytes = [](std::size_t n) {
    return CountText(n, "байт различается", "байта различаются", "байт различаются");
  };
  if (scope != 0) d.other.push_back("Запись осциллографа: " + bytes(scope));
  if (rest != 0) d.other.push_back("Прочая память МК: " + bytes(rest));
}

void Header(const device::TMK& a, const device::TMK& b, ShownDiff& d) {
  const auto add = [&d](const char* what, std::size_t x, std::size_t y, const char* unit) {
    if (x != y) {
      d.header.push_back(std::string(what) + ": " + std::to_string(x) + " → " + std::to_string(y) +
                         unit);
    }
  };
  add("Версия устройства", a.DeviceVersion(), b.DeviceVersion(), "");
  add("Версия прошивки", a.FirmwareVersion(), b.FirmwareVersion(), "");
  add("Размер памяти", a.Image().size(), b.Image().size(), " байт");
}

ShownDiff Diff(const device::TMK& a_in, const device::TMK& b_in, const std::vector<Page>* pages,
               char separator) {
  const device::TMK a = Prepared(a_in);
  const device::TMK b = Prepared(b_in);
  const Env env_a = Env::Of(a);
  const Env env_b = Env::Of(b);
  ShownDiff d;
  if (pages == nullptr) Header(a, b, d);
  for (const Setting& s : AllSettings()) {
    if (s.block == BlockId::Cargo) continue;
    if (pages != nullptr && std::ranges::find(*pages, s.page) == pages->end()) continue;
    std::string old_value = ShowAsText(s, a, env_a, separator);
    std::string new_value = ShowAsText(s, b, env_b, separator);
    if (old_value == new_value) continue;
    ShownChange c = ChangeOf(s, env_b, std::move(old_value), std::move(new_value));
    (Visible(s, b, env_b) ? d.changes : d.hidden).push_back(std::move(c));
  }
  if (pages == nullptr) {
    SummariseFields(a, b, d);
    SummariseBytes(a, b, d);
  }
  return d;
}

}  // namespace

ShownDiff DiffShown(const device::TMK& a, const device::TMK& b, char separator) {
  return Diff(a, b, nullptr, separator);
}

ShownDiff DiffShownPages(const device::TMK& a, const device::TMK& b, const std::vector<Page>& pages,
                         char separator) {
  return Diff(a, b, &pages, separator);
}

std::string LineOf(const ShownChange& c) {
  std::string line = c.page_caption + " / ";
  if (!c.group.empty()) line += c.group + " / ";
  return line + c.caption + ": " + c.old_value + " → " + c.new_value;
}

std::vector<std::string> LinesOf(const ShownDiff& d) {
  std::vector<std::string> lines = d.header;
  for (const auto& c : d.changes) lines.push_back(LineOf(c));
  if (!d.hidden.empty()) {
    lines.emplace_back("Скрытые для этого МК настройки:");
    for (const auto& c : d.hidden) lines.push_back("  " + LineOf(c));
  }
  lines.insert(lines.end(), d.other.begin(), d.other.end());
  return lines;
}

std::string CountText(std::size_t n, const char* one, const char* few, const char* many) {
  const std::size_t tens = n % 100, units = n % 10;
  const char* word = many;
  if (tens < 11 || tens > 14) {
    if (units == 1) word = one;
    if (units >= 2 && units <= 4) word = few;
  }
  return std::to_string(n) + " " + word;
}

}  // namespace mk::settings
