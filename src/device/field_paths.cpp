// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/field_paths.h"

#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

#include "text/cp1251.h"
#include "text/error.h"

namespace mk::device {

namespace {

constexpr char kHex[] = "0123456789abcdef";

struct Target {
  BlockId block;
  const FieldDef* field;
  std::size_t index;
};

[[noreturn]] void BadPath(std::string_view path) {
  // On one line, as dump would show it, whatever the command line held.
  throw Error("Нет поля настроек «" + EscapeText(path) + "».");
}

[[noreturn]] void BadValue(std::string_view text) {
  throw Error("Неверное значение «" + EscapeText(text) + "».");
}

std::string ElementPath(const BlockDef& block, const FieldDef& f, std::size_t index) {
  std::string path = std::string(block.name) + "." + std::string(f.name);
  if (f.cols != 0) {
    path += "[" + std::to_string(index / f.cols) + "][" + std::to_string(index % f.cols) + "]";
  } else if (f.IsArray()) {
    path += "[" + std::to_string(index) + "]";
  }
  return path;
}

bool ParseSize(std::string_view text, std::size_t& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Splits "Block.Field[i][j]" and checks every part against the tables.
Target Resolve(std::string_view path) {
  const std::size_t dot = path.find('.');
  if (dot == std::string_view::npos) BadPath(path);
  const BlockDef* block = FindBlock(path.substr(0, dot));
  if (block == nullptr) BadPath(path);
  std::string_view rest = path.substr(dot + 1);
  const std::string_view name = rest.substr(0, rest.find('['));
  const FieldDef* f = block->Find(name);
  if (f == nullptr) BadPath(path);
  rest.remove_prefix(name.size());
  std::vector<std::size_t> indices;
  while (!rest.empty()) {
    const std::size_t close = rest.find(']');
    std::size_t value = 0;
    if (rest.front() != '[' || close == std::string_view::npos ||
        !ParseSize(rest.substr(1, close - 1), value)) {
      BadPath(path);
    }
    indices.push_back(value);
    rest.remove_prefix(close + 1);
  }
  std::size_t index = 0;
  if (f->cols != 0) {
    if (indices.size() != 2 || indices[0] >= f->Rows() || indices[1] >= f->cols) BadPath(path);
    index = indices[0] * f->cols + indices[1];
  } else if (f->IsArray()) {
    if (indices.size() != 1 || indices[0] >= f->count) BadPath(path);
    index = indices[0];
  } else if (!indices.empty()) {
    BadPath(path);
  }
  return Target{static_cast<BlockId>(block->number), f, index};
}

// The range of a field's element as the tables give it, for messages.
std::string RangeText(const FieldDef& f) {
  switch (f.type) {
    case FieldType::Chars:
      return "не длиннее " + std::to_string(f.elem_size - 1) + " знаков";
    case FieldType::F32:
      return "число одинарной точности";
    case FieldType::Bytes:
      return std::to_string(f.elem_size) + " байт";
    default:
      return "от " + std::to_string(MinValue(f.type)) + " до " + std::to_string(MaxValue(f.type));
  }
}

}  // namespace

std::string EscapeText(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte == 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string UnescapeText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    std::uint8_t byte = 0;
    if (next == '\\') {
      out += '\\';
    } else if (next == 'n') {
      out += '\n';
    } else if (next == 't') {
      out += '\t';
    } else if (next == 'r') {
      out += '\r';
    } else if (next == 'x' && i + 3 < text.size() &&
               std::from_chars(text.data() + i + 2, text.data() + i + 4, byte, 16).ptr ==
                   text.data() + i + 4) {
      out += static_cast<char>(byte);
      i += 2;
    } else {
      throw Error("Неверная escape-последовательность «" +
                  std::string(text.substr(i, std::min<std::size_t>(4, text.size() - i))) +
                  "»: понятны \\\\, \\n, \\t, \\r и \\xNN.");
    }
    ++i;
  }
  return out;
}

std::string FormatElement(const Record& rec, const FieldDef& f, std::size_t index) {
  switch (f.type) {
    case FieldType::F32: {
      char buffer[32];
      const auto value = static_cast<float>(rec.GetFloat(f, index));
      const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
      return std::string(buffer, result.ptr);
    }
    case FieldType::Chars:
      return EscapeText(rec.GetText(f, index));
    case FieldType::Bytes: {
      std::string text;
      for (std::uint8_t byte : rec.Element(f, index)) {
        text += kHex[byte >> 4];
        text += kHex[byte & 15];
      }
      return text;
    }
    default:
      return std::to_string(rec.GetInt(f, index));
  }
}

std::vector<FieldValue> DumpFields(const TMK& mk) {
  std::vector<FieldValue> values;
  for (const BlockDef& block : AllBlockDefs()) {
    const Record& rec = mk.Rec(static_cast<BlockId>(block.number));
    for (const FieldDef& f : block.fields) {
      for (std::size_t i = 0; i < f.count; ++i) {
        values.push_back({ElementPath(block, f, i), FormatElement(rec, f, i),
                          static_cast<BlockId>(block.number), &f, i});
      }
    }
  }
  return values;
}

std::string GetField(const TMK& mk, std::string_view path) {
  const Target target = Resolve(path);
  return FormatElement(mk.Rec(target.block), *target.field, target.index);
}

namespace {

void SetElement(TMK& mk, const Target& target, std::string_view text) {
  Record& rec = mk.Rec(target.block);
  const FieldDef& f = *target.field;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  switch (f.type) {
    case FieldType::F32: {
      double value = 0;
      const auto [end, error] = std::from_chars(first, last, value);
      if (error == std::errc::result_out_of_range) throw RangeError();
      if (error != std::errc() || end != last || text.empty()) BadValue(text);
      rec.SetFloat(f, value, target.index);
      return;
    }
    case FieldType::Chars:
      rec.SetText(f, UnescapeText(text), target.index);
      return;
    case FieldType::Bytes: {
      const auto element = rec.Element(f, target.index);
      if (text.size() != 2 * element.size()) BadValue(text);
      std::vector<std::uint8_t> bytes(element.size());
      for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto [end, error] = std::from_chars(first + 2 * i, first + 2 * i + 2, bytes[i], 16);
        if (error != std::errc() || end != first + 2 * i + 2) BadValue(text);
      }
      std::copy(bytes.begin(), bytes.end(), element.begin());
      return;
    }
    default: {
      std::int64_t value = 0;
      const auto [end, error] = std::from_chars(first, last, value);
      if (error == std::errc::result_out_of_range) throw RangeError();
      if (error != std::errc() || end != last || text.empty()) BadValue(text);
      rec.SetInt(f, value, target.index);
      return;
    }
  }
}

}  // namespace

void SetField(TMK& mk, std::string_view path, std::string_view text) {
  const Target target = Resolve(path);
  if (target.field->type == FieldType::Chars) {
    // Said apart from the length: a question mark in place of the character
    // would be stored without a word.
    if (const std::string lacking = text::Cp1251Lacks(UnescapeText(text)); !lacking.empty()) {
      throw RangeError("Значение «" + EscapeText(UnescapeText(text)) + "» не подходит полю " +
                       std::string(path) + ": в кодировке МК (Windows-1251) нет знаков " + lacking +
                       ".");
    }
  }
  try {
    SetElement(mk, target, text);
  } catch (const RangeError&) {
    // A text comes escaped as dump writes it; a number is shown escaped.
    const std::string shown =
        target.field->type == FieldType::Chars ? EscapeText(UnescapeText(text)) : EscapeText(text);
    throw RangeError("Значение «" + shown + "» не подходит полю " + std::string(path) + ": " +
                     RangeText(*target.field) + ".");
  }
}

}  // namespace mk::device
