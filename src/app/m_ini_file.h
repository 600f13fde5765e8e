// SPDX-License-Identifier: GPL-3.0-or-later
// The program's preferences file: a Windows-1251 ini file opened for one use
// (start-up or exit) and written back atomically.
#pragma once

#include <filesystem>
#include <string>

#include "text/ini_file.h"

class QWidget;

namespace mk::app {

class TMIniFile {
 public:
  /// Opens the file at `path`, creating it (one line holding a single space)
  /// when it is missing. A file that cannot be read gives an empty ini, so
  /// every key takes its default.
  explicit TMIniFile(std::filesystem::path path);

  /// The program's preferences path: beside the program with the extension
  /// ".ini", or in the user's configuration folder when that folder is not writable.
  static std::filesystem::path DefaultPath(const std::filesystem::path& program);

  text::IniFile& Ini() { return ini_; }
  const std::filesystem::path& Path() const { return path_; }

  /// Writes the file through a temporary file and a rename, so a failure
  /// never leaves half a file. Throws mk::Error when it cannot.
  void Save() const;

  /// Restores a window's state and position from `section` ("State",
  /// "Left", "Top", and "Width"/"Height" for resizable windows only).
  void LoadPlacement(const std::string& section, QWidget& form) const;
  /// Writes "State", "Left", "Top", "Width" and "Height", in that order.
  void SavePlacement(const std::string& section, const QWidget& form);

 private:
  std::string FailureMessage() const;

  std::filesystem::path path_;
  text::IniFile ini_;
};

}  // namespace mk::app
