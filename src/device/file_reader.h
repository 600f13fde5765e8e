// Reading a file the user names, never more of it than its kind can hold: a
// device file or a huge file ends with a message at once instead of filling
// the memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace mk::device {

/// Messages of a refused read, in the words of the file's kind.
struct FileReadMessages {
  std::string unreadable;  ///< it cannot be opened or read (missing, a folder, no access)
  std::string too_large;   ///< it holds more than the limit
};

/// The file's bytes when it holds at most `max_bytes`. Reads no more than
/// `max_bytes` + 1 bytes whatever the file is (/dev/zero, a pipe, a huge file)
/// and throws mk::Error with `messages.too_large` when that last byte exists,
/// or with `messages.unreadable` when the file cannot be read.
std::vector<std::uint8_t> ReadFileAtMost(const std::filesystem::path& path, std::size_t max_bytes,
                                         const FileReadMessages& messages);

}  // namespace mk::device
