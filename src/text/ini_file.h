// SPDX-License-Identifier: GPL-3.0-or-later
// A plain Windows ini file held in memory. On disk it is Windows-1251 text;
// in memory every name and value is UTF-8.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <cstddef>

namespace mk::text {

/// The largest preferences file the programs read; a larger one is no
/// preferences file of theirs.
inline constexpr std::size_t kMaxPreferencesFileSize = 1024 * 1024;

class IniFile {
 public:
  /// Parses Windows-1251 ini text. Anything unparseable is skipped.
  void Parse(const std::string& cp1251_text);
  /// The file's text in Windows-1251, sections in the order first written.
  std::string Serialize() const;

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
  /// A missing key or one that is not a whole number gives `fallback`.
  long ReadInteger(const std::string& section, const std::string& key, long fallback) const;
  /// "0" is false, any other number is true; anything else gives `fallback`.
  bool ReadBool(const std::string& section, const std::string& key, bool fallback) const;

  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, long value);
  /// Written as 1 or 0.
  void WriteBool(const std::string& section, const std::string& key, bool value);

  bool HasSection(const std::string& section) const;

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> entries;
  };
  const Section* Find(const std::string& section) const;
  Section& FindOrAdd(const std::string& section);

  std::vector<Section> sections_;
};

}  // namespace mk::text
