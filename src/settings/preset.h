// SPDX-License-Identifier: GPL-3.0-or-later
// Some pages of the settings as readable text (a preset): screen layouts,
// warning limits or voice messages passed to another user or another MK,
// posted and checked by eye. UTF-8, one "ИМЯ = значение" a line under a
// "[Страница]" section, the caption and what the setting takes in a comment
// on the line before.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "device/mk.h"
#include "settings/setting.h"

namespace mk::settings {

/// The settings of `pages` that this MK shows, as a preset; `date` goes into
/// the header beside the model and firmware. A value outside its rule is
/// written as a comment: it would not be taken back.
std::string PresetText(const device::TMK& mk, const std::vector<Page>& pages,
                       const std::string& date);

struct PresetOutcome {
  /// Settings whose lines were taken (those already holding the value too).
  std::vector<const Setting*> taken;
  /// "Строка 12: Значение настройки «Скорость, км/час» должно быть от 40 до
  /// 200." for every line not taken: a bad value, an unknown name, no "=".
  std::vector<std::string> refused;
  /// Lines of settings this MK's model or protocol hides: left as they were.
  std::vector<std::string> skipped;
};

/// Applies a preset line by line through typed input (TypeIn), as
/// `mkctl settings --set` would, to `mk`'s records; the caller stores them,
/// or drops them when lines were refused. A line whose value the setting
/// shows already changes nothing, so a stored value the text cannot give back
/// exactly stays.
PresetOutcome ApplyPreset(device::TMK& mk, std::string_view text);

/// A preset file's text (at most 1 MB); mk::Error saying why it cannot be read.
std::string ReadPreset(const std::filesystem::path& path);
/// Saves a preset through the atomic save; mk::Error saying why it failed.
void SavePreset(const std::filesystem::path& path, const std::string& text);

}  // namespace mk::settings
