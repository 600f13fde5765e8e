// SPDX-License-Identifier: GPL-3.0-or-later
// The program's two error types. Both carry only the Russian text the user
// sees; windows catch them around reads, loads and edits and show that text.
#pragma once

#include <stdexcept>
#include <string>

namespace mk {

/// A failure of the link or of file handling, with its message text (UTF-8).
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

/// A value that does not fit the field meant to hold it.
class RangeError : public Error {
 public:
  explicit RangeError(const std::string& message = "Ошибка проверки диапазона") : Error(message) {}
};

}  // namespace mk
