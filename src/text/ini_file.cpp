// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/ini_file.h"

#include <cstdint>
#include <limits>

#include "text/cp1251.h"

namespace mk::text {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string Trim(std::string_view s) {
  std::size_t begin = 0;
  std::size_t end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return std::string(s.substr(begin, end - begin));
}

// Windows compares ini names without regard to case, Cyrillic letters
// included; folding the Windows-1251 form covers both alphabets at once.
std::string Fold(const std::string& utf8) {
  std::string s = Utf8ToCp1251(utf8);
  for (char& c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 'A' && b <= 'Z') {
      c = static_cast<char>(b + ('a' - 'A'));
    } else if (b >= 0xC0 && b <= 0xDF) {
      c = static_cast<char>(b + 0x20);
    } else if (b == 0xA8) {  // Ё
      c = static_cast<char>(0xB8);
    }
  }
  return s;
}

bool SameName(const std::string& a, const std::string& b) {
  return Fold(a) == Fold(b);
}

// A value never spans lines: a line break inside it would start a new key
// (or section) when the file is read back.
std::string OneLine(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return Trim(out);
}

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') {
    v = c - '0';
  } else if (c >= 'a' && c <= 'f') {
    v = c - 'a' + 10;
  } else if (c >= 'A' && c <= 'F') {
    v = c - 'A' + 10;
  }
  return v < base ? v : -1;
}

// An optional sign, then decimal digits or "0x" and hex digits, and nothing
// else. Returns false for anything that is not such a number or overflows.
bool ParseInteger(std::string_view s, long& out) {
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
    negative = s[i] == '-';
    ++i;
  }
  int base = 10;
  if (s.size() - i > 2 && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i == s.size()) return false;
  // Accumulate the magnitude unsigned so that the most negative long fits.
  const unsigned long limit = negative
                                  ? static_cast<unsigned long>(std::numeric_limits<long>::max()) + 1
                                  : static_cast<unsigned long>(std::numeric_limits<long>::max());
  unsigned long magnitude = 0;
  for (; i < s.size(); ++i) {
    const int d = DigitValue(s[i], base);
    if (d < 0) return false;
    const auto ud = static_cast<unsigned long>(d);
    if (magnitude > (limit - ud) / static_cast<unsigned long>(base)) return false;
    magnitude = magnitude * static_cast<unsigned long>(base) + ud;
  }
  if (negative) {
    out = magnitude == 0 ? 0 : -static_cast<long>(magnitude - 1) - 1;
  } else {
    out = static_cast<long>(magnitude);
  }
  return true;
}

}  // namespace

void IniFile::Parse(const std::string& cp1251_text) {
  sections_.clear();
  Section* current = nullptr;
  std::size_t pos = 0;
  while (pos <= cp1251_text.size()) {
    std::size_t end = cp1251_text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = cp1251_text.size();
    const std::string line =
        Trim(Cp1251ToUtf8(std::string_view(cp1251_text).substr(pos, end - pos)));
    pos = end + 1;

    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line[0] == '[') {
      const std::size_t close = line.find(']');
      if (close == std::string::npos) {
        current = nullptr;  // a broken header: its keys belong to no section
        continue;
      }
      const std::string name = Trim(std::string_view(line).substr(1, close - 1));
      current = name.empty() ? nullptr : &FindOrAdd(name);
      continue;
    }
    const std::size_t eq = line.find('=');
    if (current == nullptr || eq == std::string::npos) continue;
    const std::string key = Trim(std::string_view(line).substr(0, eq));
    if (key.empty()) continue;
    current->entries.emplace_back(key, Trim(std::string_view(line).substr(eq + 1)));
  }
}

std::string IniFile::Serialize() const {
  std::string out;
  for (const Section& section : sections_) {
    if (!out.empty()) out += "\r\n";
    out.append("[").append(section.name).append("]\r\n");
    for (const auto& [key, value] : section.entries)
      out.append(key).append("=").append(value).append("\r\n");
  }
  return Utf8ToCp1251(out);
}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
  const Section* s = Find(section);
  if (s == nullptr) return fallback;
  // The first of duplicate keys wins, as it does for Windows.
  for (const auto& [k, v] : s->entries) {
    if (SameName(k, key)) return v;
  }
  return fallback;
}

long IniFile::ReadInteger(const std::string& section, const std::string& key, long fallback) const {
  long value = 0;
  const std::string text = ReadString(section, key, std::string());
  return ParseInteger(text, value) ? value : fallback;
}

bool IniFile::ReadBool(const std::string& section, const std::string& key, bool fallback) const {
  long value = 0;
  const std::string text = ReadString(section, key, std::string());
  return ParseInteger(text, value) ? value != 0 : fallback;
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  Section& s = FindOrAdd(OneLine(section));
  const std::string name = OneLine(key);
  for (auto& [k, v] : s.entries) {
    if (SameName(k, name)) {
      v = OneLine(value);
      return;
    }
  }
  s.entries.emplace_back(name, OneLine(value));
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, long value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool IniFile::HasSection(const std::string& section) const {
  return Find(section) != nullptr;
}

const IniFile::Section* IniFile::Find(const std::string& section) const {
  for (const Section& s : sections_) {
    if (SameName(s.name, section)) return &s;
  }
  return nullptr;
}

IniFile::Section& IniFile::FindOrAdd(const std::string& section) {
  for (Section& s : sections_) {
    if (SameName(s.name, section)) return s;
  }
  sections_.push_back(Section{section, {}});
  return sections_.back();
}

}  // namespace mk::text
