// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/chosen_settings.h"

#include <algorithm>

#include "device/block_tables.h"
#include "settings/conversions.h"
#include "settings/setting_table.h"
#include "text/error.h"

namespace mk::settings {

void CopyStored(const Setting& s, const device::TMK& from, device::TMK& to) {
  const device::Record& source = from.Rec(s.block);
  device::Record& target = to.Rec(s.block);
  const device::FieldDef& f = source.Field(s.field);
  if (s.bit < 0) {
    const auto bytes = source.Element(f, s.index);
    std::ranges::copy(bytes, target.Element(f, s.index).begin());
    return;
  }
  // A flag bit: only its own bits of the word change.
  const auto read = [&](const device::Record& r) -> std::uint64_t {
    if (f.type == device::FieldType::Bytes) return r.Element(f, 0)[0];
    return static_cast<std::uint64_t>(r.GetInt(f, s.index));
  };
  const std::uint64_t bits = GetBits(read(source), s.bit, s.bit_count);
  const std::uint64_t word = SetBits(read(target), s.bit, s.bit_count, bits);
  if (f.type == device::FieldType::Bytes) {
    target.Element(f, 0)[0] = static_cast<std::uint8_t>(word);
  } else {
    target.SetInt(f, static_cast<std::int64_t>(word), s.index);
  }
}

device::TMK LayChosen(const device::TMK& base, const device::TMK& from,
                      const std::vector<const Setting*>& chosen) {
  device::TMK laid = base;
  for (const Setting* s : chosen) CopyStored(*s, from, laid);
  laid.StoreBlocks(device::kSettingsBlocks);
  return laid;
}

std::vector<const Setting*> SettingsNamed(const std::vector<std::string>& names) {
  std::vector<const Setting*> found;
  for (const std::string& name : names) {
    const Setting* s = FindSetting(name);
    if (s == nullptr) throw Error("Нет настройки «" + name + "».");
    found.push_back(s);
  }
  return found;
}

std::vector<const Setting*> ListedSettings(const ShownDiff& diff) {
  std::vector<const Setting*> listed;
  for (const auto* part : {&diff.changes, &diff.hidden}) {
    for (const auto& c : *part) listed.push_back(c.setting);
  }
  return listed;
}

std::vector<const Setting*> Without(const std::vector<const Setting*>& all,
                                    const std::vector<const Setting*>& out) {
  std::vector<const Setting*> kept;
  std::ranges::copy_if(all, std::back_inserter(kept),
                       [&](const Setting* s) { return std::ranges::find(out, s) == out.end(); });
  return kept;
}

}  // namespace mk::settings
