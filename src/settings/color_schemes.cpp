// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/color_schemes.h"

#include <algorithm>

#include "device/mk.h"
#include "settings/setting_table.h"
#include "text/byte_io.h"
#include "text/error.h"

namespace mk::settings {
namespace {

using device::kDigitsIndexOffset;
using device::kGaugeIndexOffset;
using device::kGraphIndexOffset;
using device::kMenuIndexOffset;

constexpr ElementRow kDigitRows[] = {
    {"Цвет 1", kDigitsIndexOffset + 0}, {"Фон 1", kDigitsIndexOffset + 1},
    {"Цвет 2", kDigitsIndexOffset + 2}, {"Фон 2", kDigitsIndexOffset + 3},
    {"Рамка", kDigitsIndexOffset + 4},
};
constexpr ElementRow kMenuRows[] = {
    {"Цвет активного пункта", kMenuIndexOffset + 0},
    {"Фон активного пункта", kMenuIndexOffset + 1},
    {"Цвет номера горячего пункта", kMenuIndexOffset + 2},
};
constexpr ElementRow kGraphRows[] = {
    {"Оси / Временные метки", kGraphIndexOffset + 0}, {"Фон графиков", kGraphIndexOffset + 1},
    {"Цвет графика 1", kGraphIndexOffset + 2},        {"Цвет графика 2", kGraphIndexOffset + 3},
    {"Фон подписей", kGraphIndexOffset + 4},
};
// The arrow rows are shown in an order of their own.
constexpr ElementRow kArrowRows[] = {
    {"Фон под шкалами", kGaugeIndexOffset + 0},
    {"Левый циферблат", kGaugeIndexOffset + 2},
    {"Правый циферблат", kGaugeIndexOffset + 3},
    {"Левая шкала", kGaugeIndexOffset + 4},
    {"Правая шкала", kGaugeIndexOffset + 5},
    {"Левая стрелка", kGaugeIndexOffset + 6},
    {"Правая стрелка", kGaugeIndexOffset + 7},
    {"Шкала при большом расходе", kGaugeIndexOffset + 9},
    {"Подписи цвет", kGaugeIndexOffset + 1},
    {"Подписи фон", kGaugeIndexOffset + 8},
};

void CheckEntry(std::size_t entry) {
  if (entry >= device::kPaletteSize) throw Error("Нет цвета #" + std::to_string(entry));
}

void SetActive(device::TMK& mk, int value) {
  mk.Rec(device::BlockId::Display).SetInt("ActiveColorScheme", value);
}

std::uint8_t ActiveByte(const device::TMK& mk) {
  return static_cast<std::uint8_t>(mk.Rec(device::BlockId::Display).GetInt("ActiveColorScheme"));
}

void CopySet(std::span<const std::uint8_t> from, std::span<std::uint8_t> to) {
  std::copy_n(from.begin(), std::min(from.size(), to.size()), to.begin());
}

bool InColorSet(const Setting& s, std::size_t set) {
  return s.block == device::BlockId::Display && s.field == "ColorSet" && s.index == set;
}

const Setting& ColorSetting(std::size_t set, std::size_t offset) {
  for (const Setting& s : AllSettings()) {
    if (InColorSet(s, set) && s.offset == offset) return s;
  }
  throw Error("Нет настройки цвета " + std::to_string(offset) + " набора " + std::to_string(set));
}

}  // namespace

const Setting& PaletteSetting(std::size_t set, std::size_t entry) {
  CheckEntry(entry);
  return ColorSetting(set, 2 * entry);
}

const Setting& ElementSetting(std::size_t set, const ElementRow& row) {
  return ColorSetting(set, row.offset);
}

std::vector<const Setting*> ColorSetSettings(std::size_t set) {
  std::vector<const Setting*> all;
  for (const Setting& s : AllSettings()) {
    if (InColorSet(s, set)) all.push_back(&s);
  }
  return all;
}

std::span<const ElementRow> ElementRows(ElementGroup group) {
  switch (group) {
    case ElementGroup::Digits:
      return kDigitRows;
    case ElementGroup::Menu:
      return kMenuRows;
    case ElementGroup::Graphs:
      return kGraphRows;
    case ElementGroup::Arrows:
      return kArrowRows;
  }
  return {};
}

std::string PaletteCaption(std::size_t entry) {
  return "Цвет #" + std::to_string(entry);
}

std::uint16_t PaletteWord(std::span<const std::uint8_t> color_set, std::size_t entry) {
  CheckEntry(entry);
  return bytes::ReadU16(color_set, 2 * entry);
}

void SetPaletteColor(std::span<std::uint8_t> color_set, std::size_t entry, const device::Rgb& c) {
  CheckEntry(entry);
  for (int v : {c.r, c.g, c.b}) {
    if (v < 0 || v > 31) throw RangeError("Значение " + std::to_string(v) + " вне диапазона 0..31");
  }
  const std::uint16_t word = device::PackColor(c.r, c.g, c.b);
  bytes::WriteU16(color_set, 2 * entry, word);
}

int ElementIndex(std::span<const std::uint8_t> color_set, const ElementRow& row) {
  // As the previews draw a damaged index: modulo the palette size.
  return color_set[row.offset] % static_cast<int>(device::kPaletteSize);
}

void SetElementIndex(std::span<std::uint8_t> color_set, const ElementRow& row, int index) {
  if (index < 0 || index > 15) {
    throw RangeError("Значение " + std::to_string(index) + " вне диапазона 0..15");
  }
  color_set[row.offset] = static_cast<std::uint8_t>(index);
}

int ActiveScheme(const device::TMK& mk) {
  const int low = ActiveByte(mk) & 0x0F;
  return low >= 1 && low <= 4 ? low : 1;
}

std::size_t ColorSetIndex(const device::TMK& mk) {
  return (ActiveByte(mk) & 0x0F) == 4 ? 1 : 0;
}

bool SchemeChangeReplacesColors(const device::TMK& mk, int scheme) {
  return scheme >= 1 && scheme <= 3 && (ActiveByte(mk) >> 4) != scheme;
}

void ChooseScheme(device::TMK& mk, int scheme) {
  if (scheme < 1 || scheme > 4) throw Error("Нет цветовой схемы " + std::to_string(scheme));
  if (!SchemeChangeReplacesColors(mk, scheme)) {
    SetActive(mk, (ActiveByte(mk) & 0xF0) | scheme);
    return;
  }
  CopySet(mk.ColorPresets()[static_cast<std::size_t>(scheme - 1)], mk.ColorSet(0));
  SetActive(mk, scheme * 17);
}

void CopyToUserScheme(device::TMK& mk) {
  CopySet(mk.ColorSet(0), mk.ColorSet(1));
}

void ResetColorSchemes(device::TMK& mk) {
  CopySet(mk.ColorPresets()[0], mk.ColorSet(0));
  CopySet(mk.ColorPresets()[3], mk.ColorSet(1));
  SetActive(mk, 17);
}

}  // namespace mk::settings
