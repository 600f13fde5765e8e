// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/image_check.h"

#include <algorithm>

#include "device/block_tables.h"
#include "device/mk.h"

namespace mk::device {
namespace {

constexpr std::size_t kImageBase = 32;  // device address of image position 0
constexpr std::size_t kBlockExtra = 4;  // counted by BlockLength, never moved
constexpr std::size_t kFileHeader = 2;  // the device version word before the image

bool HasRecord(int k) {
  return std::ranges::find(kStoredBlocks, static_cast<BlockId>(k)) != kStoredBlocks.end();
}

std::string EntryFault(const BlockDirectory& d, int k, std::size_t memory_size) {
  const std::string block = "блок " + std::to_string(k);
  const std::size_t address = d.BlockAddress[static_cast<std::size_t>(k - 1)];
  const std::size_t length = d.BlockLength[static_cast<std::size_t>(k - 1)];
  if (address < kImageBase) {
    return block + " начинается с адреса " + std::to_string(address) +
           ", раньше памяти настроек (она начинается с адреса 32)";
  }
  if (length < kBlockExtra) {
    return block + " длиной " + std::to_string(length) + " короче своих 4 служебных байт";
  }
  const std::size_t data = length - kBlockExtra;
  if (HasRecord(k)) {
    const std::size_t record = BlockDefOf(static_cast<BlockId>(k)).record_size;
    if (data < record) {
      return block + " короче своей записи: в нём " + ByteCount(data) + " данных вместо " +
             std::to_string(record);
    }
  }
  if (address + data > memory_size / 2) {
    return block + " (адрес " + std::to_string(address) + ", " + ByteCount(data) +
           " данных) не помещается в первую половину памяти МК (до адреса " +
           std::to_string(memory_size / 2) + ")";
  }
  return {};
}

}  // namespace

std::size_t MemorySizeOfImage(std::size_t image_size) {
  if (image_size == kSmallImageSize) return 8192;
  if (image_size == kLargeImageSize) return 32768;
  return 0;
}

std::string ByteCount(std::size_t n) {
  const std::size_t last = n % 10, tens = n % 100;
  const char* word = (last >= 2 && last <= 4 && (tens < 12 || tens > 14)) ? " байта" : " байт";
  return std::to_string(n) + word;
}

std::string ImageFault(std::span<const std::uint8_t> image) {
  const std::size_t memory_size = MemorySizeOfImage(image.size());
  if (memory_size == 0) {
    return "его длина " + ByteCount(image.size() + kFileHeader) + ", а файл настроек МК занимает " +
           std::to_string(kSmallImageSize + kFileHeader) + " или " +
           ByteCount(kLargeImageSize + kFileHeader);
  }
  const BlockDirectory d = BlockDirectory::Parse(image);
  if (d.BlockCount > kDirectoryEntries) {
    return "число блоков в каталоге - " + std::to_string(d.BlockCount) +
           ", а их бывает не больше 14";
  }
  for (int k = 1; k <= static_cast<int>(kDirectoryEntries); ++k) {
    // The write sends the counted entries; the model loads blocks 1-11 and 13 whatever the count.
    if (k > static_cast<int>(d.BlockCount) && !HasRecord(k)) continue;
    std::string fault = EntryFault(d, k, memory_size);
    if (!fault.empty()) return fault;
  }
  return {};
}

}  // namespace mk::device
