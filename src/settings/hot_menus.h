// SPDX-License-Identifier: GPL-3.0-or-later
// The four hot menus of the page "Горячие меню": compacting a list, the
// editing the right-click menu offers, moving rows, and the device-menu items
// each list may take.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/device_menu.h"
#include "catalog/variant.h"

namespace mk::device {
class Record;
}

namespace mk::settings {

inline constexpr int kHotLists = 4;
inline constexpr int kHotEntries = 10;

/// "Параметры", "Средние", "Таксометр", "Парктроник".
inline constexpr std::array<std::string_view, kHotLists> kHotListCaptions = {
    "Параметры", "Средние", "Таксометр", "Парктроник"};
inline constexpr std::string_view kInsertEntry = "Вставить пункт";
inline constexpr std::string_view kDeleteEntry = "Удалить пункт";
inline constexpr std::string_view kClearList = "Очистить список";
extern const std::string_view kHotMenuHint;

/// The taximeter list only with a taximeter, the parking list unless the
/// variant has no parking radar.
bool HotListShown(int list, catalog::Features features);

using HotList = std::array<std::uint16_t, kHotEntries>;
HotList ReadHotList(const device::Record& display, int list);
void WriteHotList(device::Record& display, int list, const HotList& entries);

/// Empty entries removed, the others moved up in their order, zeros after.
HotList Compacted(const HotList& entries);
/// Entry `row` emptied; the next compaction closes the gap.
HotList Deleted(const HotList& entries, int row);
/// Rows `row`..8 moved down one (entry 9 is lost), `code` put at `row`.
HotList Inserted(const HotList& entries, int row, std::uint16_t code);
/// The entry of row `from` put at row `to`, the ones between shifted one row
/// towards `from`.
HotList Moved(const HotList& entries, int from, int to);

/// The caption of an entry: the device-menu item with that code, or nothing
/// (code 0, or a code this variant's menu lacks, which stays stored).
std::string EntryCaption(const catalog::MenuCatalogue& menu, std::uint16_t code);

/// The "Вставить пункт" menu of a list: items with a code, submenus with
/// children. Items are looked up by identifier; one the catalogue lacks is
/// left out, and so is a submenu left empty.
struct InsertMenuNode {
  std::string caption;
  std::uint16_t code = 0;
  std::vector<InsertMenuNode> children;
  bool IsSubmenu() const { return !children.empty(); }
};
std::vector<InsertMenuNode> InsertMenu(const catalog::MenuCatalogue& menu,
                                       catalog::Features features, int list);

}  // namespace mk::settings
