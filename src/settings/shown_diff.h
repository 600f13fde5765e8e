// SPDX-License-Identifier: GPL-3.0-or-later
// Two settings images compared in the editor's own words: which settings a
// user would see change, on which page, from which shown value to which
// ("Границы / Скорость, км/час: 120 → 130"), and what else in the memory
// differs, summed up per journal or block.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "device/mk.h"
#include "settings/setting.h"

namespace mk::settings {

struct ShownChange {
  const Setting* setting = nullptr;
  Page page = Page::Corrections;
  std::string page_caption;
  std::string group;    // "" when the setting sits in no group, or the group is the page
  std::string caption;  // as DisplayName gives it, unit included: "Скорость, км/час"
  std::string unit;     // "км/час", or ""
  std::string old_value, new_value;
};

struct ShownDiff {
  /// Version and size lines ("Версия прошивки: 21 → 22").
  std::vector<std::string> header;
  /// Settings the second image's variant shows, in page order.
  std::vector<ShownChange> changes;
  /// Settings the second image's variant hides: they still travel with the image.
  std::vector<ShownChange> hidden;
  /// What no setting covers: "Журнал поездок: 3 записи различаются".
  std::vector<std::string> other;

  bool Empty() const {
    return header.empty() && changes.empty() && hidden.empty() && other.empty();
  }
  /// Changed settings, shown and hidden.
  std::size_t SettingCount() const { return changes.size() + hidden.size(); }
};

/// What changes from `a` to `b`. Each image is shown with its own variant and
/// protocol (the catalogues are rebuilt on copies, so the models are not
/// touched). Settings that never reach a file or the MK (the cargo record) are
/// left out. Numbers use `separator`.
ShownDiff DiffShown(const device::TMK& a, const device::TMK& b, char separator = '.');

/// Only the settings of the pages in `pages`: what taking those pages changes.
ShownDiff DiffShownPages(const device::TMK& a, const device::TMK& b, const std::vector<Page>& pages,
                         char separator = '.');

/// "Границы / Скорость, км/час: 120 → 130".
std::string LineOf(const ShownChange& c);

/// The whole difference as text lines: header, changes, a line
/// "Скрытые для этого МК настройки:" with the hidden ones, then the rest.
std::vector<std::string> LinesOf(const ShownDiff& d);

/// "1 запись различается", "3 записи различаются", "5 записей различаются".
std::string CountText(std::size_t n, const char* one, const char* few, const char* many);

}  // namespace mk::settings
