// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/settings_file.h"

#include "device/atomic_file.h"
#include "device/file_key.h"
#include "device/file_reader.h"
#include "text/byte_io.h"
#include "text/error.h"
#include "text/utf8_path.h"

namespace mk::device {

namespace {

// XOR with the key is its own inverse: the same loop scrambles and unscrambles.
void Scramble(std::span<const std::uint8_t> from, std::span<std::uint8_t> to) {
  for (std::size_t i = 0; i < from.size(); ++i) {
    to[i] = static_cast<std::uint8_t>(from[i] ^ kFileKey[i % kFileKeySize]);
  }
}

}  // namespace

std::vector<std::uint8_t> EncodeSettingsFile(std::uint16_t device_version,
                                             std::span<const std::uint8_t> image) {
  std::vector<std::uint8_t> file(2 + image.size());
  bytes::WriteU16(file, 0, device_version);
  Scramble(image, std::span<std::uint8_t>(file).subspan(2));
  return file;
}

SettingsFileContents DecodeSettingsFile(std::span<const std::uint8_t> file) {
  if (file.size() < 2) throw Error("Файл настроек повреждён: он короче двух байт.");
  SettingsFileContents contents;
  contents.device_version = bytes::ReadU16(file, 0);
  contents.image.resize(file.size() - 2);
  Scramble(file.subspan(2), contents.image);
  return contents;
}

void SaveSettingsFile(const std::filesystem::path& path, const TMK& mk) {
  const auto bytes = EncodeSettingsFile(mk.DeviceVersion(), mk.Image());
  WriteFileAtomically(path, bytes,
                      "Не удалось записать файл настроек «" + text::PathText(path) + "».");
}

SettingsFileContents ReadSettingsFile(const std::filesystem::path& path) {
  const std::string largest = ByteCount(kMaxSettingsFileSize);
  const auto bytes = ReadFileAtMost(
      path, kMaxSettingsFileSize,
      {"Не удалось прочитать файл настроек «" + text::PathText(path) + "».",
       "Файл настроек повреждён: он длиннее " + largest + ", а файл настроек МК занимает " +
           std::to_string(2 + kSmallImageSize) + " или " + largest + "."});
  return DecodeSettingsFile(bytes);
}

std::string SettingsFileFault(const SettingsFileContents& contents) {
  const std::string fault = ImageFault(contents.image);
  return fault.empty() ? fault : "Файл настроек повреждён: " + fault + ".";
}

void LoadSettingsFile(const std::filesystem::path& path, TMK& mk) {
  SettingsFileContents contents = ReadSettingsFile(path);
  const std::string fault = SettingsFileFault(contents);
  if (!fault.empty()) throw Error(fault);
  mk.ReplaceImage(contents.device_version, std::move(contents.image));
}

}  // namespace mk::device
