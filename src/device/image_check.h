// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a settings image can be an MK's memory as a read gives it: the
// length of one of the two memories, and a block directory whose blocks the
// model and the write sequence can use as they stand.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace mk::device {

/// Image lengths a read gives: the memory without the first page of each half.
inline constexpr std::size_t kSmallImageSize = 8192 - 64;
inline constexpr std::size_t kLargeImageSize = 32768 - 64;

/// The memory an image of `image_size` bytes is read from (8192 or 32768), or 0.
std::size_t MemorySizeOfImage(std::size_t image_size);

/// What makes `image` impossible as an MK's memory, as a phrase that follows
/// "Файл настроек повреждён: " (naming the block where it is a block); empty
/// when it can be one. It can when it is 8128 or 32704 bytes long, counts at
/// most 14 directory entries, and every counted entry and every entry of
/// blocks 1-11 and 13 starts at address 32 or later, counts its 4 bytes,
/// and has its data inside the first half of the memory; blocks 1-11 and 13
/// also give their record its whole length.
std::string ImageFault(std::span<const std::uint8_t> image);

/// "N байт", "N байта", as Russian counts them.
std::string ByteCount(std::size_t n);

}  // namespace mk::device
