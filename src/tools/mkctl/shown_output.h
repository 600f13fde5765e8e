// SPDX-License-Identifier: GPL-3.0-or-later
// The differences in the editor's words as mkctl prints them: one line per
// setting, or one JSON object.
#pragma once

#include <string>

#include "settings/shown_diff.h"

namespace mk::tools {

/// Lines of settings::LinesOf, then "Различий: N" (settings and summary lines).
void PrintShownText(const settings::ShownDiff& d);

/// {"header": [...], "changes": [{"name", "page", "group", "caption", "unit",
/// "old", "new"}...], "hidden": [...same...], "other": [...]}.
std::string ShownJson(const settings::ShownDiff& d);

/// What PrintShownText counts.
std::size_t ShownCount(const settings::ShownDiff& d);

}  // namespace mk::tools
