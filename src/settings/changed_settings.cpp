// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/changed_settings.h"

#include <set>

#include "settings/edited_blocks.h"
#include "settings/env.h"
#include "settings/setting_table.h"
#include "settings/setting_value.h"

namespace mk::settings {

SettingTexts TextsOf(const device::TMK& mk) {
  const Env env = Env::Of(mk);
  SettingTexts texts;
  for (const Setting& s : AllSettings()) texts.emplace(s.name, ShowAsText(s, mk, env));
  return texts;
}

std::vector<const Setting*> ChangedSettings(const SettingTexts& before, const device::TMK& after) {
  const SettingTexts now = TextsOf(after);
  std::vector<const Setting*> changed;
  for (const Setting& s : AllSettings()) {
    const auto was = before.find(s.name);
    if (was == before.end() || was->second != now.at(s.name)) changed.push_back(&s);
  }
  return changed;
}

std::vector<const Setting*> ChangedSettings(const device::TMK& before, const device::TMK& after) {
  return ChangedSettings(TextsOf(before), after);
}

ChangeTracker::ChangeTracker(const device::TMK& mk) {
  Look(mk, true);
  baseline_ = current_;
}

void ChangeTracker::Look(const device::TMK& mk, bool all) {
  const Env env = Env::Of(mk);
  if (env.protocol != protocol_ || env.features.Bits() != features_) all = true;
  protocol_ = env.protocol;
  features_ = env.features.Bits();
  std::set<device::BlockId> moved;
  for (device::BlockId block : kEditedBlocks) {
    const auto& bytes = mk.Rec(block).Bytes();
    auto& seen = seen_[block];
    if (seen != bytes) {
      moved.insert(block);
      seen = bytes;
    }
  }
  for (const Setting& s : AllSettings()) {
    if (all || moved.contains(s.block)) current_[s.name] = ShowAsText(s, mk, env);
  }
}

std::vector<const Setting*> ChangeTracker::Changed(const device::TMK& mk) {
  Look(mk, false);
  std::vector<const Setting*> changed;
  for (const Setting& s : AllSettings()) {
    if (current_.at(s.name) != baseline_.at(s.name)) changed.push_back(&s);
  }
  return changed;
}

}  // namespace mk::settings
