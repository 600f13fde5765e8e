// SPDX-License-Identifier: GPL-3.0-or-later
// The core's texts are UTF-8; every window turns them into QStrings here.
#pragma once

#include <QString>
#include <string_view>

namespace mk::widgets {

inline QString Q(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace mk::widgets
