// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <random>
#include <system_error>

#include "text/error.h"
#include "text/file_error.h"

namespace mk::device {
namespace {

namespace fs = std::filesystem;

// Closes the stream however the write ends.
struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Writes all of `bytes` and closes `file`; the system's reason when it cannot
// (a full disk shows only when the buffer is flushed).
std::error_code WriteAndClose(File file, std::span<const char> bytes) {
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
      std::fflush(file.get()) != 0) {
    return text::LastFileError();
  }
  if (std::fclose(file.release()) != 0) return text::LastFileError();
  return {};
}

// A name beside `path` that nobody can know in advance: NAME.<64 random bits>.part.
fs::path TempName(const fs::path& path) {
  static std::mt19937_64 random{(std::uint64_t{std::random_device{}()} << 32) ^
                                std::random_device{}()};
  char suffix[24];
  std::snprintf(suffix, sizeof suffix, ".%016llx.part", static_cast<unsigned long long>(random()));
  fs::path temp = path;
  temp += suffix;
  return temp;
}

// Creates `temp` as a new file: an existing file or a symbolic link of that
// name is never opened, so a save cannot be led into writing somewhere else.
File CreateNew(const fs::path& temp) {
#if defined(_WIN32)
  // The C library here knows no exclusive mode; the name is unguessable and
  // creating symbolic links takes rights ordinary users lack.
  std::error_code ignored;
  if (fs::exists(fs::symlink_status(temp, ignored))) {
    errno = EEXIST;
    return nullptr;
  }
  return File(_wfopen(temp.c_str(), L"wb"));
#else
  return File(std::fopen(temp.c_str(), "wbx"));
#endif
}

File OpenExisting(const fs::path& path) {
#if defined(_WIN32)
  return File(_wfopen(path.c_str(), L"wb"));
#else
  return File(std::fopen(path.c_str(), "wb"));
#endif
}

std::error_code ReplaceRegular(const fs::path& path, std::span<const char> bytes) {
  fs::path temp;
  File file;
  for (int attempt = 0; attempt < 8 && !file; ++attempt) {
    errno = 0;
    temp = TempName(path);
    file = CreateNew(temp);
    if (!file && errno != EEXIST) break;
  }
  if (!file) return text::LastFileError();
  std::error_code error = WriteAndClose(std::move(file), bytes);
  if (!error) fs::rename(temp, path, error);
  if (error) {
    std::error_code ignored;
    fs::remove(temp, ignored);
  }
  return error;
}

std::error_code TryWrite(const fs::path& path, std::span<const char> bytes) {
  std::error_code ignored;
  const fs::file_status target = fs::status(path, ignored);  // through a link to its target
  switch (target.type()) {
    case fs::file_type::not_found:
    case fs::file_type::regular:
      return ReplaceRegular(path, bytes);
    case fs::file_type::character:
    case fs::file_type::block: {
      // A device is written to, never replaced by a file of that name.
      errno = 0;
      File file = OpenExisting(path);
      if (!file) return text::LastFileError();
      return WriteAndClose(std::move(file), bytes);
    }
    case fs::file_type::directory:
      return std::make_error_code(std::errc::is_a_directory);
    default:  // a FIFO would hold the save until someone reads it; a socket takes no file
      return text::NotRegularFileError();
  }
}

void Write(const fs::path& path, std::span<const char> bytes, const std::string& failure_message) {
  if (const std::error_code error = TryWrite(path, bytes)) {
    throw Error(failure_message + " Причина: " + text::FileErrorReason(error) + ".");
  }
}

}  // namespace

std::error_code TryWriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes) {
  return TryWrite(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

void WriteFileAtomically(const fs::path& path, std::span<const std::uint8_t> bytes,
                         const std::string& failure_message) {
  Write(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, failure_message);
}

void WriteFileAtomically(const fs::path& path, std::string_view text,
                         const std::string& failure_message) {
  Write(path, {text.data(), text.size()}, failure_message);
}

}  // namespace mk::device
