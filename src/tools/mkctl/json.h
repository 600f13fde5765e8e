// SPDX-License-Identifier: GPL-3.0-or-later
// What the --json outputs of mkctl share.
#pragma once

#include <string>
#include <string_view>

namespace mk::tools {

/// A string as a JSON literal: quotes, backslashes and control characters
/// escaped, UTF-8 passed through.
std::string Quote(std::string_view s);

}  // namespace mk::tools
