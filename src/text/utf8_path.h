// SPDX-License-Identifier: GPL-3.0-or-later
// File names travel inside the program as UTF-8; this turns one into a path
// the operating system opens the same file by, whatever its narrow code page.
#pragma once

#include <filesystem>
#include <string>

namespace mk::text {

std::filesystem::path PathFromUtf8(const std::string& utf8);

/// The other way: a path as UTF-8 text, for messages and files.
std::string PathText(const std::filesystem::path& path);

}  // namespace mk::text
