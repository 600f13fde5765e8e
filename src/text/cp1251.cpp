// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/cp1251.h"

#include <array>

#include "text/error.h"

namespace mk::text {
namespace {

// Code points of bytes 0x80..0xBF; 0xC0..0xFF are U+0410..U+044F in order.
constexpr std::array<char16_t, 64> kHigh = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

int UnicodeToCp1251(char32_t cp) {
  if (cp < 0x80) return static_cast<int>(cp);
  if (cp >= 0x0410 && cp <= 0x044F) return static_cast<int>(cp - 0x0410 + 0xC0);
  for (std::size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == cp) return static_cast<int>(0x80 + i);
  }
  return -1;
}

}  // namespace

char32_t Cp1251ToUnicode(unsigned char byte) {
  if (byte < 0x80) return byte;
  if (byte >= 0xC0) return 0x0410 + (byte - 0xC0);
  return kHigh[byte - 0x80];
}

std::string Cp1251ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (char c : bytes) AppendUtf8(out, Cp1251ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

namespace {

// The conversion; what the code page cannot hold becomes '?' and, when
// `missing` is given, is noted there once (the character, or \xNN for a
// byte that is no UTF-8).
std::string Convert(std::string_view utf8, std::string* missing) {
  const auto note = [missing](std::string_view what) {
    if (missing != nullptr && missing->find(what) == std::string::npos) {
      if (!missing->empty()) *missing += ' ';
      *missing += what;
    }
  };
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    int extra = -1;
    char32_t cp = 0;
    if (lead < 0x80) {
      extra = 0;
      cp = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      cp = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      cp = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      cp = lead & 0x07u;
    }
    bool ok = extra >= 0 && i + static_cast<std::size_t>(extra) < utf8.size();
    for (int k = 1; ok && k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (next & 0x3Fu);
    }
    if (!ok) {
      static constexpr char kHex[] = "0123456789ABCDEF";
      note(std::string{'\\', 'x', kHex[lead >> 4], kHex[lead & 15]});
      out += '?';
      ++i;
      continue;
    }
    const std::string_view character = utf8.substr(i, static_cast<std::size_t>(extra) + 1);
    i += character.size();
    const int byte = UnicodeToCp1251(cp);
    if (byte < 0) note(character);
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

}  // namespace

std::string Utf8ToCp1251(std::string_view utf8) {
  return Convert(utf8, nullptr);
}

std::string Cp1251Lacks(std::string_view utf8) {
  std::string missing;
  Convert(utf8, &missing);
  return missing;
}

std::string Utf8ToCp1251Strict(std::string_view utf8) {
  std::string missing;
  std::string out = Convert(utf8, &missing);
  if (!missing.empty()) {
    throw RangeError("Текст «" + std::string(utf8) +
                     "» не годится для МК: в кодировке МК (Windows-1251) нет знаков " + missing +
                     ".");
  }
  return out;
}

}  // namespace mk::text
