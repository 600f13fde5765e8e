// SPDX-License-Identifier: GPL-3.0-or-later
// A cheap check that a tool printed one JSON object and nothing after it.
#pragma once

#include <string>

namespace mk::tests {

// Brackets and braces balance outside string literals and nothing follows the
// outer object: enough to catch a list left open or a stray quote.
inline bool LooksLikeOneJsonObject(const std::string& text) {
  int depth = 0;
  bool in_string = false, escaped = false, closed = false;
  for (char ch : text) {
    if (in_string) {
      if (escaped) {
        escaped = false;
      } else if (ch == '\\') {
        escaped = true;
      } else if (ch == '"') {
        in_string = false;
      }
      continue;
    }
    if (closed && ch != '\n' && ch != ' ') return false;
    if (ch == '"') in_string = true;
    if (ch == '{' || ch == '[') ++depth;
    if (ch == '}' || ch == ']') {
      if (--depth < 0) return false;
      if (depth == 0) closed = true;
    }
  }
  return closed && depth == 0 && !in_string;
}

}  // namespace mk::tests
