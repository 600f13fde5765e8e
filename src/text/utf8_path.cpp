// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/utf8_path.h"

namespace mk::text {

std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string FileNameText(const std::string& utf8_path) {
  return PathText(PathFromUtf8(utf8_path).filename());
}

}  // namespace mk::text
