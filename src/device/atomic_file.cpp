#include "device/atomic_file.h"

#include <cerrno>
#include <fstream>
#include <system_error>

#include "text/error.h"

namespace mk::device {

std::string PathText(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::error_code TryWriteFileAtomically(const std::filesystem::path& path,
                                       std::span<const std::uint8_t> bytes) {
  std::filesystem::path temp = path;
  temp += ".part";
  std::error_code error;
  {
    errno = 0;
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (out) {
      out.write(reinterpret_cast<const char*>(bytes.data()),
                static_cast<std::streamsize>(bytes.size()));
      out.close();
    }
    // The streams keep no reason of their own; the C library's is the system's.
    if (!out) error = std::error_code(errno != 0 ? errno : EIO, std::generic_category());
  }
  if (!error) std::filesystem::rename(temp, path, error);
  if (error) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
  }
  return error;
}

void WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                         const std::string& failure_message) {
  if (TryWriteFileAtomically(path, bytes)) throw Error(failure_message);
}

}  // namespace mk::device
