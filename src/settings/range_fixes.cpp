// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/range_fixes.h"

#include <algorithm>
#include <cmath>

#include "settings/conversions.h"
#include "settings/env.h"
#include "settings/setting_table.h"
#include "settings/setting_value.h"

namespace mk::settings {

std::vector<const Setting*> NumbersOutOfRange(const device::TMK& mk) {
  const Env env = Env::Of(mk);
  std::vector<const Setting*> out;
  for (const Setting& s : AllSettings()) {
    if (s.kind != Kind::Spin || s.read_only) continue;
    if (OutOfRange(s, mk, env) && Visible(s, mk, env)) out.push_back(&s);
  }
  return out;
}

std::vector<RangeFix> NewlyOutOfRange(const device::TMK& mk,
                                      const std::vector<const Setting*>& before, char separator) {
  const Env env = Env::Of(mk);
  std::vector<RangeFix> fixes;
  for (const Setting* s : NumbersOutOfRange(mk)) {
    if (std::ranges::find(before, s) != before.end()) continue;
    const double stored = ShowNumber(*s, mk, env);
    if (!std::isfinite(stored)) continue;  // no number: nothing is nearest
    const Shape shape = ShapeOf(*s, mk, env);
    const double value = std::clamp(stored, shape.min, shape.max);
    fixes.push_back({s, value, DisplayName(*s, env), StoredText(*s, mk, env, separator),
                     FormatNumber(value, shape.decimals, separator)});
  }
  return fixes;
}

std::string RangeFixQuestion(const std::vector<RangeFix>& fixes) {
  std::string text = "Значения этих настроек теперь вне диапазона:\n";
  for (const RangeFix& fix : fixes) {
    text += "«" + fix.name + "»: " + fix.stored + " → " + fix.fixed + "\n";
  }
  text += "\nЗаписать новые значения? Нет — оставить прежние.";
  return text;
}

void ApplyRangeFixes(device::TMK& mk, const std::vector<RangeFix>& fixes) {
  for (const RangeFix& fix : fixes) CommitNumber(*fix.setting, mk, Env::Of(mk), fix.value);
}

}  // namespace mk::settings
