// SPDX-License-Identifier: GPL-3.0-or-later
// The machinery of the field tables: how a field of a settings record is
// described once (name, place, width, byte order, count, default) and
// how a record's bytes are read and written through that description.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mk::device {

enum class FieldType : std::uint8_t {
  U8,
  S8,
  U16,
  S16,
  U32,
  S32,
  F32,
  U16BE,  // unsigned 16 bits, high byte first
  Chars,  // fixed-size Windows-1251 text, zero-terminated
  Bytes,  // raw bytes the model does not interpret
};

/// Bytes one element of `type` takes; 0 for Chars and Bytes, whose size is per field.
constexpr std::size_t TypeWidth(FieldType type) {
  switch (type) {
    case FieldType::U8:
    case FieldType::S8:
      return 1;
    case FieldType::U16:
    case FieldType::S16:
    case FieldType::U16BE:
      return 2;
    case FieldType::U32:
    case FieldType::S32:
    case FieldType::F32:
      return 4;
    case FieldType::Chars:
    case FieldType::Bytes:
      return 0;
  }
  return 0;
}

/// A type's two names: `code` where programs read it (exports), `caption` where
/// a user reads it (the editor's hints). Numbers read the same in both.
struct FieldTypeNames {
  std::string_view code;
  std::string_view caption;
};

constexpr FieldTypeNames NamesOf(FieldType type) {
  switch (type) {
    case FieldType::U8:
      return {"u8", "u8"};
    case FieldType::S8:
      return {"s8", "s8"};
    case FieldType::U16:
      return {"u16", "u16"};
    case FieldType::S16:
      return {"s16", "s16"};
    case FieldType::U32:
      return {"u32", "u32"};
    case FieldType::S32:
      return {"s32", "s32"};
    case FieldType::F32:
      return {"f32", "f32"};
    case FieldType::U16BE:
      return {"u16be", "u16be"};
    case FieldType::Chars:
      return {"text", "текст"};
    case FieldType::Bytes:
      return {"bytes", "байты"};
  }
  return {"?", ""};
}

constexpr bool IsInteger(FieldType type) {
  return type != FieldType::F32 && type != FieldType::Chars && type != FieldType::Bytes;
}

/// One field of a record: a scalar, a 1-D array (`count` elements) or a 2-D
/// array (`count` = rows x `cols`, row-major). Tables are built with the
/// constexpr helpers below, e.g. `Scalar("Oil6L", 0, FieldType::S16, 1000)`.
struct FieldDef {
  std::string_view name;
  std::size_t offset = 0;
  FieldType type = FieldType::U8;
  std::size_t count = 1;
  std::size_t cols = 0;                        // 0 for scalars and 1-D arrays
  std::size_t elem_size = 0;                   // bytes per element
  std::int64_t int_default = 0;                // every element, unless a list or rule applies
  double float_default = 0;                    // F32 fields
  std::string_view text_default;               // Chars fields, UTF-8
  std::span<const std::int64_t> list_default;  // per element; elements past the list get 0
  std::int64_t (*rule_default)(std::size_t index) = nullptr;

  constexpr std::size_t Size() const { return count * elem_size; }
  constexpr std::size_t Rows() const { return cols == 0 ? count : count / cols; }
  constexpr bool IsArray() const { return count > 1 || cols != 0; }

  constexpr FieldDef Defaults(std::span<const std::int64_t> values) const {
    FieldDef copy = *this;
    copy.list_default = values;
    return copy;
  }
  constexpr FieldDef Rule(std::int64_t (*rule)(std::size_t)) const {
    FieldDef copy = *this;
    copy.rule_default = rule;
    return copy;
  }
};

constexpr FieldDef Scalar(std::string_view name, std::size_t offset, FieldType type,
                          std::int64_t def = 0) {
  FieldDef f;
  f.name = name;
  f.offset = offset;
  f.type = type;
  f.elem_size = TypeWidth(type);
  f.int_default = def;
  return f;
}

constexpr FieldDef Float(std::string_view name, std::size_t offset, double def) {
  FieldDef f = Scalar(name, offset, FieldType::F32);
  f.float_default = def;
  return f;
}

constexpr FieldDef Array(std::string_view name, std::size_t offset, FieldType type,
                         std::size_t count, std::int64_t def = 0) {
  FieldDef f = Scalar(name, offset, type, def);
  f.count = count;
  return f;
}

constexpr FieldDef Grid(std::string_view name, std::size_t offset, FieldType type, std::size_t rows,
                        std::size_t cols) {
  FieldDef f = Scalar(name, offset, type);
  f.count = rows * cols;
  f.cols = cols;
  return f;
}

/// `size` bytes including the terminating zero.
constexpr FieldDef Text(std::string_view name, std::size_t offset, std::size_t size,
                        std::string_view def) {
  FieldDef f = Scalar(name, offset, FieldType::Chars);
  f.elem_size = size;
  f.text_default = def;
  return f;
}

constexpr FieldDef Raw(std::string_view name, std::size_t offset, std::size_t count,
                       std::size_t size) {
  FieldDef f = Scalar(name, offset, FieldType::Bytes);
  f.count = count;
  f.elem_size = size;
  return f;
}

/// A block of the settings image and the layout of its record.
struct BlockDef {
  int number = 0;  // 1..14, the directory entry
  std::string_view name;
  std::size_t record_size = 0;
  std::span<const FieldDef> fields;

  /// The field called `name`, or nullptr.
  const FieldDef* Find(std::string_view field_name) const;
};

/// A record: the bytes of one block as the model holds them, read and written
/// through its block's field table. Every access is bounds-checked; a value
/// that does not fit its field throws mk::RangeError and changes nothing.
class Record {
 public:
  explicit Record(const BlockDef& def);

  const BlockDef& Def() const { return *def_; }
  std::vector<std::uint8_t>& Bytes() { return bytes_; }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

  /// Zeroes the record and writes every field's default.
  void ApplyDefaults();

  /// The field called `name`; throws mk::Error when the block has none.
  const FieldDef& Field(std::string_view name) const;

  /// Integer fields (any width, any byte order).
  std::int64_t GetInt(std::string_view field, std::size_t index = 0) const;
  void SetInt(std::string_view field, std::int64_t value, std::size_t index = 0);
  /// 2-D fields by row and column.
  std::int64_t GetInt(std::string_view field, std::size_t row, std::size_t col) const;
  void SetInt(std::string_view field, std::int64_t value, std::size_t row, std::size_t col);

  /// F32 fields as they are; integer fields too, a set value rounded to the
  /// nearest integer (ties to even) before the range check.
  double GetFloat(std::string_view field, std::size_t index = 0) const;
  void SetFloat(std::string_view field, double value, std::size_t index = 0);

  /// Chars fields: UTF-8 out and in; the record holds Windows-1251. A text
  /// that does not leave room for the terminating zero throws mk::RangeError.
  std::string GetText(std::string_view field, std::size_t index = 0) const;
  void SetText(std::string_view field, std::string_view utf8, std::size_t index = 0);

  /// The bytes of one element of any field (a journal record, a colour set).
  std::span<const std::uint8_t> Element(std::string_view field, std::size_t index = 0) const;
  std::span<std::uint8_t> Element(std::string_view field, std::size_t index = 0);

  // The same operations on a field already looked up (for loops over tables).
  std::int64_t GetInt(const FieldDef& f, std::size_t index) const;
  void SetInt(const FieldDef& f, std::int64_t value, std::size_t index);
  double GetFloat(const FieldDef& f, std::size_t index) const;
  void SetFloat(const FieldDef& f, double value, std::size_t index);
  std::string GetText(const FieldDef& f, std::size_t index) const;
  void SetText(const FieldDef& f, std::string_view utf8, std::size_t index);
  std::span<const std::uint8_t> Element(const FieldDef& f, std::size_t index) const;
  std::span<std::uint8_t> Element(const FieldDef& f, std::size_t index);

 private:
  const BlockDef* def_;
  std::vector<std::uint8_t> bytes_;
};

/// The smallest and largest integer a field of `type` holds.
std::int64_t MinValue(FieldType type);
std::int64_t MaxValue(FieldType type);

}  // namespace mk::device
