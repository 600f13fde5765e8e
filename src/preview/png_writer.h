// SPDX-License-Identifier: GPL-3.0-or-later
// A small PNG encoder for the previews: 8-bit RGB, no filtering, the pixel
// data in stored (uncompressed) deflate blocks. The files are larger than a
// compressing encoder makes, but need no library on any platform.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace mk::preview {

/// The CRC-32 of PNG chunks (polynomial 0xEDB88320), continued from `crc`.
std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);
/// The Adler-32 checksum of a zlib stream.
std::uint32_t Adler32(std::span<const std::uint8_t> bytes);

/// A whole PNG file of `width` x `height` pixels from R, G, B bytes row by
/// row. std::invalid_argument when `rgb` is not width x height x 3 bytes.
std::vector<std::uint8_t> EncodePng(int width, int height, std::span<const std::uint8_t> rgb);

}  // namespace mk::preview
