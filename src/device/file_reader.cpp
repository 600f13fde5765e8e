// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/file_reader.h"

#include <cerrno>
#include <fstream>

#include "text/error.h"
#include "text/file_error.h"

namespace mk::device {
namespace {

[[noreturn]] void Refuse(const FileReadMessages& messages, std::error_code reason) {
  throw Error(messages.unreadable + " Причина: " + text::FileReadErrorReason(reason) + ".");
}

}  // namespace

std::vector<std::uint8_t> ReadFileAtMost(const std::filesystem::path& path, std::size_t max_bytes,
                                         const FileReadMessages& messages) {
  // Looked at before it is opened: opening a FIFO nobody writes never returns,
  // and a device (/dev/zero) has no end.
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (error) Refuse(messages, error);
  if (std::filesystem::is_directory(status)) {
    Refuse(messages, std::make_error_code(std::errc::is_a_directory));
  }
  if (!std::filesystem::is_regular_file(status)) Refuse(messages, text::NotRegularFileError());

  errno = 0;
  std::ifstream in(path, std::ios::binary);
  if (!in) Refuse(messages, text::LastFileError());
  std::vector<std::uint8_t> bytes(max_bytes + 1);
  try {
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  } catch (const std::ios_base::failure&) {
    Refuse(messages, text::LastFileError());
  }
  if (in.bad()) Refuse(messages, text::LastFileError());
  const auto got = static_cast<std::size_t>(in.gcount());
  if (got > max_bytes) throw Error(messages.too_large);
  bytes.resize(got);
  return bytes;
}

}  // namespace mk::device
