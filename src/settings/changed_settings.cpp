#include "settings/changed_settings.h"

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

}  // namespace mk::settings
