// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/field_table.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

#include "text/byte_io.h"
#include "text/cp1251.h"
#include "text/error.h"

namespace mk::device {

namespace {

bytes::ByteOrder OrderOf(FieldType type) {
  return type == FieldType::U16BE ? bytes::ByteOrder::Big : bytes::ByteOrder::Little;
}

bool IsSigned(FieldType type) {
  return type == FieldType::S8 || type == FieldType::S16 || type == FieldType::S32;
}

[[noreturn]] void WrongType(const FieldDef& f) {
  throw Error("Поле настроек «" + std::string(f.name) + "» другого типа.");
}

std::size_t ElementOffset(const FieldDef& f, std::size_t index) {
  if (index >= f.count) throw RangeError();
  return f.offset + index * f.elem_size;
}

std::size_t GridIndex(const FieldDef& f, std::size_t row, std::size_t col) {
  if (f.cols == 0 || col >= f.cols || row >= f.Rows()) throw RangeError();
  return row * f.cols + col;
}

}  // namespace

std::int64_t MinValue(FieldType type) {
  switch (type) {
    case FieldType::S8:
      return std::numeric_limits<std::int8_t>::min();
    case FieldType::S16:
      return std::numeric_limits<std::int16_t>::min();
    case FieldType::S32:
      return std::numeric_limits<std::int32_t>::min();
    default:
      return 0;
  }
}

std::int64_t MaxValue(FieldType type) {
  switch (type) {
    case FieldType::U8:
      return std::numeric_limits<std::uint8_t>::max();
    case FieldType::S8:
      return std::numeric_limits<std::int8_t>::max();
    case FieldType::U16:
    case FieldType::U16BE:
      return std::numeric_limits<std::uint16_t>::max();
    case FieldType::S16:
      return std::numeric_limits<std::int16_t>::max();
    case FieldType::U32:
      return std::numeric_limits<std::uint32_t>::max();
    case FieldType::S32:
      return std::numeric_limits<std::int32_t>::max();
    default:
      return 0;
  }
}

const FieldDef* BlockDef::Find(std::string_view field_name) const {
  for (const FieldDef& f : fields) {
    if (f.name == field_name) return &f;
  }
  return nullptr;
}

Record::Record(const BlockDef& def) : def_(&def), bytes_(def.record_size, 0) {}

void Record::ApplyDefaults() {
  std::fill(bytes_.begin(), bytes_.end(), 0);
  for (const FieldDef& f : def_->fields) {
    for (std::size_t i = 0; i < f.count; ++i) {
      if (IsInteger(f.type)) {
        std::int64_t value = f.int_default;
        if (f.rule_default != nullptr) {
          value = f.rule_default(i);
        } else if (!f.list_default.empty()) {
          value = i < f.list_default.size() ? f.list_default[i] : 0;
        }
        SetInt(f, value, i);
      } else if (f.type == FieldType::F32) {
        SetFloat(f, f.float_default, i);
      } else if (f.type == FieldType::Chars) {
        SetText(f, f.text_default, i);
      }
    }
  }
}

const FieldDef& Record::Field(std::string_view name) const {
  const FieldDef* f = def_->Find(name);
  if (f == nullptr) {
    throw Error("В блоке «" + std::string(def_->name) + "» нет поля «" + std::string(name) + "».");
  }
  return *f;
}

std::int64_t Record::GetInt(const FieldDef& f, std::size_t index) const {
  if (!IsInteger(f.type)) WrongType(f);
  const std::uint64_t raw =
      bytes::ReadUnsigned(bytes_, ElementOffset(f, index), f.elem_size, OrderOf(f.type));
  if (!IsSigned(f.type)) return static_cast<std::int64_t>(raw);
  const unsigned bits = static_cast<unsigned>(8 * f.elem_size);
  const std::uint64_t sign = std::uint64_t{1} << (bits - 1);
  return static_cast<std::int64_t>(raw ^ sign) - static_cast<std::int64_t>(sign);
}

void Record::SetInt(const FieldDef& f, std::int64_t value, std::size_t index) {
  if (!IsInteger(f.type)) WrongType(f);
  if (value < MinValue(f.type) || value > MaxValue(f.type)) throw RangeError();
  bytes::WriteUnsigned(bytes_, ElementOffset(f, index), f.elem_size,
                       static_cast<std::uint64_t>(value), OrderOf(f.type));
}

double Record::GetFloat(const FieldDef& f, std::size_t index) const {
  if (f.type != FieldType::F32) return static_cast<double>(GetInt(f, index));
  const auto raw =
      static_cast<std::uint32_t>(bytes::ReadUnsigned(bytes_, ElementOffset(f, index), 4));
  return std::bit_cast<float>(raw);
}

void Record::SetFloat(const FieldDef& f, double value, std::size_t index) {
  if (!std::isfinite(value)) throw RangeError();
  if (f.type != FieldType::F32) {
    // The default rounding mode rounds halves to even, as edited values must.
    const double rounded = std::nearbyint(value);
    if (rounded < -9.0e18 || rounded > 9.0e18) throw RangeError();
    SetInt(f, static_cast<std::int64_t>(rounded), index);
    return;
  }
  if (std::fabs(value) > std::numeric_limits<float>::max()) throw RangeError();
  const std::size_t at = ElementOffset(f, index);
  bytes::WriteUnsigned(bytes_, at, 4, std::bit_cast<std::uint32_t>(static_cast<float>(value)));
}

std::string Record::GetText(const FieldDef& f, std::size_t index) const {
  if (f.type != FieldType::Chars) WrongType(f);
  const auto bytes = Element(f, index);
  const auto end = std::find(bytes.begin(), bytes.end(), 0);
  return text::Cp1251ToUtf8(std::string(bytes.begin(), end));
}

void Record::SetText(const FieldDef& f, std::string_view utf8, std::size_t index) {
  if (f.type != FieldType::Chars) WrongType(f);
  const std::string cp1251 = text::Utf8ToCp1251Strict(utf8);
  const auto bytes = Element(f, index);
  // A zero inside the text would cut it short on the MK: refuse it like an overlong one.
  if (cp1251.size() >= bytes.size() || cp1251.find('\0') != std::string::npos) {
    throw RangeError();
  }
  std::fill(bytes.begin(), bytes.end(), 0);
  std::copy(cp1251.begin(), cp1251.end(), bytes.begin());
}

std::span<const std::uint8_t> Record::Element(const FieldDef& f, std::size_t index) const {
  const std::size_t at = ElementOffset(f, index);
  if (!bytes::FitsIn(bytes_.size(), at, f.elem_size)) throw RangeError();
  return std::span<const std::uint8_t>(bytes_).subspan(at, f.elem_size);
}

std::span<std::uint8_t> Record::Element(const FieldDef& f, std::size_t index) {
  const std::size_t at = ElementOffset(f, index);
  if (!bytes::FitsIn(bytes_.size(), at, f.elem_size)) throw RangeError();
  return std::span<std::uint8_t>(bytes_).subspan(at, f.elem_size);
}

std::int64_t Record::GetInt(std::string_view field, std::size_t index) const {
  return GetInt(Field(field), index);
}
void Record::SetInt(std::string_view field, std::int64_t value, std::size_t index) {
  SetInt(Field(field), value, index);
}
std::int64_t Record::GetInt(std::string_view field, std::size_t row, std::size_t col) const {
  const FieldDef& f = Field(field);
  return GetInt(f, GridIndex(f, row, col));
}
void Record::SetInt(std::string_view field, std::int64_t value, std::size_t row, std::size_t col) {
  const FieldDef& f = Field(field);
  SetInt(f, value, GridIndex(f, row, col));
}
double Record::GetFloat(std::string_view field, std::size_t index) const {
  return GetFloat(Field(field), index);
}
void Record::SetFloat(std::string_view field, double value, std::size_t index) {
  SetFloat(Field(field), value, index);
}
std::string Record::GetText(std::string_view field, std::size_t index) const {
  return GetText(Field(field), index);
}
void Record::SetText(std::string_view field, std::string_view utf8, std::size_t index) {
  SetText(Field(field), utf8, index);
}
std::span<const std::uint8_t> Record::Element(std::string_view field, std::size_t index) const {
  return Element(Field(field), index);
}
std::span<std::uint8_t> Record::Element(std::string_view field, std::size_t index) {
  return Element(Field(field), index);
}

}  // namespace mk::device
