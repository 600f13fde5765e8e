#include "device/atomic_file.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#include "text/error.h"
#include "text/file_error.h"

namespace mk::device {
namespace {

// Writes the whole of `bytes` to `temp`; the system's reason when it cannot.
// The streams keep no reason of their own; the C library's errno is it.
std::error_code WriteTemp(const std::filesystem::path& temp, std::span<const char> bytes) {
  errno = 0;
  std::ofstream out(temp, std::ios::binary | std::ios::trunc);
  if (!out) return text::LastFileError();
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.flush();
  if (!out) return text::LastFileError();
  out.close();
  if (out.fail()) return text::LastFileError();
  return {};
}

std::error_code TryWrite(const std::filesystem::path& path, std::span<const char> bytes) {
  std::filesystem::path temp = path;
  temp += ".part";
  std::error_code error = WriteTemp(temp, bytes);
  if (!error) std::filesystem::rename(temp, path, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
  }
  return error;
}

void Write(const std::filesystem::path& path, std::span<const char> bytes,
           const std::string& failure_message) {
  if (const std::error_code error = TryWrite(path, bytes)) {
    throw Error(failure_message + " Причина: " + text::FileErrorReason(error) + ".");
  }
}

}  // namespace

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::error_code TryWriteFileAtomically(const std::filesystem::path& path,
                                       std::span<const std::uint8_t> bytes) {
  return TryWrite(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         const std::string& failure_message) {
  Write(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()}, failure_message);
}

void WriteFileAtomically(const std::filesystem::path& path, std::string_view text,
                         const std::string& failure_message) {
  Write(path, {text.data(), text.size()}, failure_message);
}

}  // namespace mk::device
