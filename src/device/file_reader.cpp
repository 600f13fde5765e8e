#include "device/file_reader.h"

#include <fstream>

#include "text/error.h"

namespace mk::device {

std::vector<std::uint8_t> ReadFileAtMost(const std::filesystem::path& path, std::size_t max_bytes,
                                         const FileReadMessages& messages) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) throw Error(messages.unreadable);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error(messages.unreadable);
  std::vector<std::uint8_t> bytes(max_bytes + 1);
  try {
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  } catch (const std::ios_base::failure&) {
    throw Error(messages.unreadable);
  }
  if (in.bad()) throw Error(messages.unreadable);
  const auto got = static_cast<std::size_t>(in.gcount());
  if (got > max_bytes) throw Error(messages.too_large);
  bytes.resize(got);
  return bytes;
}

}  // namespace mk::device
