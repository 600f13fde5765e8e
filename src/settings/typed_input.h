// SPDX-License-Identifier: GPL-3.0-or-later
// A value typed as text for one setting, by the editor's own rules: what
// `mkctl settings --set` and a settings preset apply.
#pragma once

#include <string>
#include <string_view>

#include "device/mk.h"
#include "settings/setting.h"

namespace mk::settings {

/// Commits `value` (texts escaped as dump prints them) to `s`: mk::Error
/// when `s` is hidden for this MK, never stored, or the text is not a value
/// of it (a range error names the setting and its range).
void TypeIn(device::TMK& mk, const Setting& s, std::string_view value);

/// The value as typed input takes it back: ShowAsText, texts escaped.
std::string TypedValue(const Setting& s, const device::TMK& mk);

/// What `s` takes, for a comment or a message: "от 40 до 200, шаг 0.5",
/// "Авт. | Ручн.", "да или нет", "00:00 … 23:59", ...
std::string AllowedText(const Setting& s, const device::TMK& mk);

}  // namespace mk::settings
