// SPDX-License-Identifier: GPL-3.0-or-later
// The one place where multi-byte values meet byte buffers: the settings
// image, journal records, the link's frames. Every read and write is checked
// against the buffer's size; nothing is silently truncated.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace mk::bytes {

enum class ByteOrder { Little, Big };

/// Reads an unsigned value of `width` bytes (1, 2, 4 or 8) at `offset`.
/// Throws mk::RangeError when the value does not lie wholly inside `bytes`.
std::uint64_t ReadUnsigned(std::span<const std::uint8_t> bytes, std::size_t offset,
                           std::size_t width, ByteOrder order = ByteOrder::Little);

/// Writes the low `width` bytes of `value` at `offset`; same checks as ReadUnsigned.
void WriteUnsigned(std::span<std::uint8_t> bytes, std::size_t offset, std::size_t width,
                   std::uint64_t value, ByteOrder order = ByteOrder::Little);

/// True when [offset, offset + length) lies inside a buffer of `size` bytes.
constexpr bool FitsIn(std::size_t size, std::size_t offset, std::size_t length) {
  return offset <= size && length <= size - offset;
}

inline std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint16_t>(ReadUnsigned(bytes, offset, 2));
}
inline std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(ReadUnsigned(bytes, offset, 4));
}
inline void WriteU16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
  WriteUnsigned(bytes, offset, 2, value);
}
inline void WriteU32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
  WriteUnsigned(bytes, offset, 4, value);
}

}  // namespace mk::bytes
