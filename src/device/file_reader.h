// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a file the user names, never more of it than its kind can hold: a
// huge file ends with a message at once instead of filling the memory, and
// anything but a regular file (a FIFO, a device) is refused unopened.
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
/// `max_bytes` + 1 bytes and throws mk::Error with `messages.too_large` when
/// that last byte exists; throws `messages.unreadable` followed by the reason
/// ("Причина: нет такого файла.", "… это не обычный файл.") when the file is
/// missing, not a regular file, or cannot be read.
std::vector<std::uint8_t> ReadFileAtMost(const std::filesystem::path& path, std::size_t max_bytes,
                                         const FileReadMessages& messages);

}  // namespace mk::device
