// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: the device version word, then the settings image
// scrambled byte by byte with a fixed key table.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "device/image_check.h"
#include "device/mk.h"

namespace mk::device {

struct SettingsFileContents {
  std::uint16_t device_version = 0;
  std::vector<std::uint8_t> image;
};

/// The file's bytes: version (u16, little-endian) and image XOR FileKey.
std::vector<std::uint8_t> EncodeSettingsFile(std::uint16_t device_version,
                                             std::span<const std::uint8_t> image);
/// The inverse; throws mk::Error for a file shorter than two bytes.
SettingsFileContents DecodeSettingsFile(std::span<const std::uint8_t> file);

/// Writes `mk`'s DeviceVersion and image to `path` through a temporary file in
/// the same folder, so a failure leaves any old file whole. Throws mk::Error.
void SaveSettingsFile(const std::filesystem::path& path, const TMK& mk);

/// The largest settings file: the version word and the image of a 32 KB MK.
inline constexpr std::size_t kMaxSettingsFileSize = 2 + kLargeImageSize;

/// Reads (at most kMaxSettingsFileSize bytes; a longer file is refused before
/// anything is decoded) and decodes a settings file, whatever its image holds.
/// Throws mk::Error.
SettingsFileContents ReadSettingsFile(const std::filesystem::path& path);

/// "Файл настроек повреждён: ..." with what is wrong when the file's image
/// cannot be an MK's memory (see ImageFault); empty when it can.
std::string SettingsFileFault(const SettingsFileContents& contents);

/// Reads the file, refuses it with mk::Error when SettingsFileFault finds a
/// fault, then replaces `mk`'s DeviceVersion and image and runs LoadAll. On
/// any failure `mk` is left as it was.
void LoadSettingsFile(const std::filesystem::path& path, TMK& mk);

}  // namespace mk::device
