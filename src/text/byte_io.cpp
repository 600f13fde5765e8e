// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/byte_io.h"

#include "text/error.h"

namespace mk::bytes {

namespace {

void CheckAccess(std::size_t size, std::size_t offset, std::size_t width) {
  if (width == 0 || width > 8 || !FitsIn(size, offset, width)) throw RangeError();
}

}  // namespace

std::uint64_t ReadUnsigned(std::span<const std::uint8_t> bytes, std::size_t offset,
                           std::size_t width, ByteOrder order) {
  CheckAccess(bytes.size(), offset, width);
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    const std::size_t at = order == ByteOrder::Little ? offset + width - 1 - i : offset + i;
    value = (value << 8) | bytes[at];
  }
  return value;
}

void WriteUnsigned(std::span<std::uint8_t> bytes, std::size_t offset, std::size_t width,
                   std::uint64_t value, ByteOrder order) {
  CheckAccess(bytes.size(), offset, width);
  for (std::size_t i = 0; i < width; ++i) {
    const std::size_t at = order == ByteOrder::Little ? offset + i : offset + width - 1 - i;
    bytes[at] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

}  // namespace mk::bytes
