// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1251, the code page of everything that leaves the program: the MK's
// strings, settings and tank files, exports and the preferences file.
#pragma once

#include <string>
#include <string_view>

namespace mk::text {

/// Converts Windows-1251 bytes to UTF-8. Code 0x98, which the code page leaves
/// undefined, becomes U+0098 so that no byte is ever lost.
std::string Cp1251ToUtf8(std::string_view bytes);

/// Converts UTF-8 to Windows-1251. A character the code page cannot hold
/// becomes '?'; malformed UTF-8 bytes become '?' one by one.
std::string Utf8ToCp1251(std::string_view utf8);
/// The same, for a text the user gives to be stored: one the code page
/// cannot hold wholly throws mk::RangeError naming the characters it lacks.
std::string Utf8ToCp1251Strict(std::string_view utf8);
/// The characters of `utf8` the code page lacks, each once, separated by
/// spaces (\xNN for a byte that is no UTF-8); empty when it holds them all.
std::string Cp1251Lacks(std::string_view utf8);

/// The Unicode code point of one Windows-1251 byte.
char32_t Cp1251ToUnicode(unsigned char byte);

}  // namespace mk::text
