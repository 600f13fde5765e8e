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

/// The file's own name, without its folders, of a UTF-8 path, for messages:
/// "МК.vrnkp" of "/home/я/МК.vrnkp" and, on Windows, of "C:\\Я\\МК.vrnkp".
std::string FileNameText(const std::string& utf8_path);

}  // namespace mk::text
