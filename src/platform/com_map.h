// SPDX-License-Identifier: GPL-3.0-or-later
// COM numbers on systems that have no COM ports of their own. The numbers
// 1..32 stand for device paths in fixed families; the preferences file (section
// "Ports", keys "COM1".."COM32") or the code may point any number elsewhere.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>

#include "text/ini_file.h"

namespace mk::platform {

inline constexpr int kFirstCom = 1;
inline constexpr int kLastCom = 32;
inline constexpr const char* kPortsSection = "Ports";

/// A PORT argument of a tool: a COM number or a device path.
struct PortArgument {
  int number = 0;    ///< 1..32 when a number was given, else 0
  std::string path;  ///< non-empty when a path was given
};

/// Parses "7", "COM7", "com7" or a path (anything containing '/'). Throws
/// mk::Error with the Russian text for anything else or a number outside 1..32.
PortArgument ParsePortArgument(const std::string& text);

class ComMap {
 public:
  /// The default device of a number: COM1-COM8 /dev/ttyS0-7, COM9-COM20
  /// /dev/ttyUSB0-11, COM21-COM32 /dev/ttyACM0-11. Empty outside 1..32.
  static std::string DefaultPath(int number);

  /// The path behind `number`: its override, else its default.
  std::string Path(int number) const;
  bool IsOverridden(int number) const { return overrides_.count(number) != 0; }

  /// Points `number` (1..32) at `path`; an empty path removes the override.
  void SetOverride(int number, const std::string& path);
  /// Reads the "Ports" section; keys with an empty value are ignored.
  void LoadOverrides(const text::IniFile& ini);

  /// The number whose path is `path`, comparing resolved paths (so a
  /// /dev/serial/by-id link matches its tty). Overrides come first.
  std::optional<int> NumberOf(const std::string& path) const;

  /// Gives a directly named device a number: the one it already has, else the
  /// highest number whose own device does not exist (`exists` tells), which is
  /// then overridden with `path`. Returns 0 when every number is in use.
  int Adopt(const std::string& path, const std::function<bool(const std::string&)>& exists);

 private:
  std::map<int, std::string> overrides_;
};

/// The path with symbolic links resolved, or the path itself when it cannot be.
std::string ResolvedPath(const std::string& path);

}  // namespace mk::platform
