// SPDX-License-Identifier: GPL-3.0-or-later
// The tank settings file: the whole fuel-tank calibration (the two-point,
// seven-point and table calibrations) in 245 headerless little-endian bytes,
// so that a calibration survives a change of the MK's firmware.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "device/block_tables.h"
#include "device/mk.h"

namespace mk::device {

inline constexpr std::size_t kTankFileSize = 245;

/// One item of the file: a whole field of one of the two tank records.
struct TankFileItem {
  BlockId block;
  std::string_view field;
};

/// The thirteen items in file order; each takes its field's size in the file.
std::span<const TankFileItem> TankFileItems();

/// The file's 245 bytes, from the FuelSensor and TankCalibration records.
std::vector<std::uint8_t> EncodeTankFile(const TMK& mk);

/// What a load took in silence before: a file of another length, the items
/// it left as they were, values outside what the editor allows.
struct TankFileNotes {
  std::size_t length = kTankFileSize;     ///< bytes the file holds
  std::vector<std::string> unchanged;     ///< items the file did not reach, wholly or in part
  std::vector<std::string> out_of_range;  ///< "OilCalibrQuant = 167 (допустимо 0 … 7)"

  /// The notes for the user, a sentence a line; empty when the file held
  /// exactly 245 bytes and every value it brought lies in range.
  std::string Text() const;
};

/// Fills the items in file order from `file` as far as its bytes go: an item
/// the file cuts short gets its whole elements and keeps the rest, bytes past
/// 245 are ignored, an empty file changes nothing. Only the two tank records
/// change; the image changes when they are stored. The values are taken as
/// they are, in range or not; the notes say what happened.
TankFileNotes DecodeTankFile(std::span<const std::uint8_t> file, TMK& mk);

/// Writes EncodeTankFile atomically. Throws mk::Error; an old file stays whole.
void SaveTankFile(const std::filesystem::path& path, const TMK& mk);

/// Reads the file through the bounded reader (up to 1 MB; only its first 245
/// bytes matter) and decodes it into `mk`'s records. Throws mk::Error when it
/// cannot be read or is larger; `mk` is unchanged then.
TankFileNotes LoadTankFile(const std::filesystem::path& path, TMK& mk);

}  // namespace mk::device
