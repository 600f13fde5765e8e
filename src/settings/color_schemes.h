// SPDX-License-Identifier: GPL-3.0-or-later
// The colour page: the palette and element rows of a working colour set, the
// four schemes and how choosing one changes the image.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include <vector>

#include "device/colors.h"
#include "settings/setting.h"

namespace mk::device {
class TMK;
}

namespace mk::settings {

/// One row of an element grid: its caption and where its palette index is
/// stored within the colour set (the group's offset plus its position).
struct ElementRow {
  std::string_view caption;
  std::size_t offset;
};

enum class ElementGroup { Digits, Menu, Graphs, Arrows };
std::span<const ElementRow> ElementRows(ElementGroup group);

/// "Цвет #0" ... "Цвет #15".
std::string PaletteCaption(std::size_t entry);

/// Palette entry `entry` (0..15) of a colour set, and storing a new colour
/// packed from red, green and blue (0..31 each; mk::RangeError beyond).
std::uint16_t PaletteWord(std::span<const std::uint8_t> color_set, std::size_t entry);
void SetPaletteColor(std::span<std::uint8_t> color_set, std::size_t entry, const device::Rgb& c);
/// The palette entry an element row names (a stored index above 15 modulo
/// 16, as the previews draw it), and storing one (0..15).
int ElementIndex(std::span<const std::uint8_t> color_set, const ElementRow& row);
void SetElementIndex(std::span<std::uint8_t> color_set, const ElementRow& row, int index);

/// The settings a palette row and an element row of colour set `set` (0, 1)
/// are, and all of that set's: the grids mark a row by its setting.
const Setting& PaletteSetting(std::size_t set, std::size_t entry);
const Setting& ElementSetting(std::size_t set, const ElementRow& row);
std::vector<const Setting*> ColorSetSettings(std::size_t set);

/// "Схема 1", "Схема 2", "Схема 3", "Схема пользователя": scheme 1..4.
inline constexpr std::array<std::string_view, 4> kSchemeCaptions = {"Схема 1", "Схема 2", "Схема 3",
                                                                    "Схема пользователя"};
inline constexpr std::string_view kChangeSchemeQuestion = "Сменить цветовую схему?";
inline constexpr std::string_view kResetSchemesQuestion =
    "Привести все настройки цветовых схем в исходное состояние?";
inline constexpr int kUserScheme = 4;

/// The active scheme 1..4 by the low four bits of ActiveColorScheme; 1 for
/// anything else, so the scheme group always shows a choice.
int ActiveScheme(const device::TMK& mk);
/// The working set the colour page edits: 1 for the user's scheme, else 0.
std::size_t ColorSetIndex(const device::TMK& mk);

/// Whether choosing `scheme` replaces ColorSet[0] and so must be confirmed
/// when the scheme group has the focus: a preset other than the one loaded.
bool SchemeChangeReplacesColors(const device::TMK& mk, int scheme);
/// Makes `scheme` (1..4) active: the user's scheme only changes the low bits;
/// the preset already loaded likewise; another preset is copied into
/// ColorSet[0] and becomes both the active and the loaded one.
void ChooseScheme(device::TMK& mk, int scheme);

/// "Скопировать в польз.": ColorSet[0] over ColorSet[1].
void CopyToUserScheme(device::TMK& mk);
/// "Все в исх.состояние": preset 1 into ColorSet[0], the reference user set
/// into ColorSet[1], scheme 1 active and loaded.
void ResetColorSchemes(device::TMK& mk);

}  // namespace mk::settings
