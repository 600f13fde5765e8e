// SPDX-License-Identifier: GPL-3.0-or-later
// TMK: the program's model of the trip computer. It owns the settings image
// (the byte copy of the MK's memory, the master copy of everything) and the
// records parsed out of it, and runs the transactions the windows use.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <utility>
#include <vector>

#include "catalog/catalogues.h"
#include "device/block_tables.h"
#include "device/colors.h"
#include "device/field_table.h"
#include "link/user_prompt.h"

namespace mk::device {

/// The 68 bytes at the start of the image.
struct BlockDirectory {
  static constexpr std::size_t kSize = 68;
  static constexpr std::size_t kFirmwareVersionOffset = 60;

  /// Entries the write sequence transfers, as the image says; may be anything,
  /// so use EntriesToWrite() to walk the directory.
  std::uint32_t BlockCount = 0;
  std::array<std::uint16_t, kDirectoryEntries> BlockAddress{};  // [k - 1] for block k
  std::array<std::uint16_t, kDirectoryEntries> BlockLength{};   // including 4 bytes never moved
  std::uint32_t FirmwareVersion = 0;
  std::array<std::uint8_t, 4> Reserved{};

  /// The directory at the start of `image`; bytes the image lacks read as 0.
  static BlockDirectory Parse(std::span<const std::uint8_t> image);

  /// BlockCount, capped at the 14 entries the directory holds.
  std::size_t EntriesToWrite() const;
  /// Image position of directory entry `k` (1..14): address - 32; negative
  /// when the address lies before the image.
  std::int64_t Position(int k) const;
  /// Bytes of entry `k` the program moves: BlockLength - 4, or 0 when shorter.
  std::size_t DataLength(int k) const;
};

/// Where the oscilloscope recording lies in the image, whatever its size.
inline constexpr std::size_t kOscPart1Position = 3542;
inline constexpr std::size_t kOscPart2Position = 7606;
inline constexpr std::size_t kOscHeaderSize = 8;
inline constexpr std::size_t kOscSamplesPerPart = 512;

/// Journal geometry inside the Journals and ErrorJournal records.
inline constexpr std::size_t kJournalRecords = 21;
inline constexpr std::size_t kJournalRecordSize = 20;
inline constexpr std::size_t kErrorRecords = 7;
inline constexpr std::size_t kErrorRecordSize = 92;

/// Byte copies of some records, to put back later (a cancelled edit, a write
/// that lays the user's settings over a freshly read image).
struct RecordCopy {
  std::vector<std::pair<BlockId, std::vector<std::uint8_t>>> records;
};

/// What the catalogue hooks are asked to rebuild.
enum class CatalogueStep {
  Protocols,          // protocol catalogue from DeviceVersion, Protocol, FirmwareVersion
  ParametersAndMenu,  // measured-parameter list and device menu catalogue
};

/// The catalogues take Protocol and FirmwareVersion as bytes: a value outside
/// 0..255 throws mk::RangeError naming the field, its value and the range.
void CheckCatalogueBytes(std::int64_t protocol, std::uint32_t firmware_version);

class TMK {
 public:
  /// A modal window run by a transaction: true when it closed with OK.
  using Dialog = std::function<bool()>;

  /// Every record at its defaults, DeviceVersion 1, an empty image.
  TMK();

  // --- The image and the values outside it ---------------------------------
  std::vector<std::uint8_t>& Image() { return image_; }
  const std::vector<std::uint8_t>& Image() const { return image_; }
  std::uint16_t DeviceVersion() const { return device_version_; }
  void SetDeviceVersion(std::uint16_t version) { device_version_ = version; }
  /// As the last ReadDirectory found it.
  std::uint32_t FirmwareVersion() const { return directory_.FirmwareVersion; }
  void SetFirmwareVersion(std::uint32_t version) { directory_.FirmwareVersion = version; }
  const BlockDirectory& Directory() const { return directory_; }

  /// Takes a new image (read from the MK or a file) and runs LoadAll. When
  /// that fails the model is left exactly as it was and the error rethrown,
  /// so a half-parsed model can never be saved or written.
  void ReplaceImage(std::uint16_t device_version, std::vector<std::uint8_t> image);

  // --- Records ------------------------------------------------------------
  Record& Rec(BlockId block);
  const Record& Rec(BlockId block) const;

  RecordCopy CopyRecords(std::span<const BlockId> blocks) const;
  void RestoreRecords(const RecordCopy& copy);
  /// Whether the records still hold the bytes `copy` kept: an editor closed
  /// with OK over no edit left the settings as they were.
  bool SameRecords(const RecordCopy& copy) const;

  // --- Directory, loads and stores ----------------------------------------
  /// Parses the directory from image position 0. Bytes the image lacks read as 0.
  void ReadDirectory();

  /// ReadDirectory, then copies the block's data part into its record: at most
  /// the record size, only what the image holds; the rest of the record stays.
  void Load(BlockId block);
  /// ReadDirectory, then writes the whole record at the block's position,
  /// extending the image with zeros when it ends earlier. Throws mk::Error when
  /// the directory puts the block before the start of the image.
  void Store(BlockId block);
  /// Stores several blocks in order; when one cannot be stored the image is
  /// put back as it was before the first, rather than left half stored.
  void StoreBlocks(std::span<const BlockId> blocks);

  void LoadTotals() { Load(BlockId::Totals); }
  void LoadParking() { Load(BlockId::Parking); }
  void LoadLimits() { Load(BlockId::Limits); }
  void LoadJournals() { Load(BlockId::Journals); }
  void LoadServiceInfo() { Load(BlockId::ServiceInfo); }
  void LoadCargo() { Load(BlockId::Cargo); }

  void StoreParking() { Store(BlockId::Parking); }
  void StoreFuelSensor() { Store(BlockId::FuelSensor); }
  void StoreTankCalibration() { Store(BlockId::TankCalibration); }
  void StoreJournals() { Store(BlockId::Journals); }
  void StoreAlarmStyles() { Store(BlockId::AlarmStyles); }
  // Cargo is never stored: tare weight and cargo density stay in the model.

  /// Blocks 1-11 and 13, in directory order.
  void LoadAll();
  void StoreAll();

  // --- Oscilloscope --------------------------------------------------------
  /// Copies both parts from their fixed image positions; what the image does
  /// not hold stays as it was.
  void LoadOscilloscope();
  std::array<std::uint8_t, kOscHeaderSize>& OscHeader1() { return osc_header1_; }
  std::array<std::uint8_t, kOscHeaderSize>& OscHeader2() { return osc_header2_; }
  std::array<std::uint8_t, 2 * kOscSamplesPerPart>& OscSamples() { return osc_samples_; }
  const std::array<std::uint8_t, kOscHeaderSize>& OscHeader1() const { return osc_header1_; }
  const std::array<std::uint8_t, kOscHeaderSize>& OscHeader2() const { return osc_header2_; }
  const std::array<std::uint8_t, 2 * kOscSamplesPerPart>& OscSamples() const {
    return osc_samples_;
  }

  // --- Colours --------------------------------------------------------------
  const std::array<ColorSetBytes, 4>& ColorPresets() const { return color_presets_; }
  /// The working colour sets inside the Display record (0: copy of a preset, 1: the user's).
  std::span<std::uint8_t> ColorSet(std::size_t index);
  std::span<const std::uint8_t> ColorSet(std::size_t index) const;

  // --- Journal clearing (in the records; the image changes on a store) -------
  void ClearTripJournal();
  void ClearTankJournal();
  void ClearErrorJournal();

  // --- Transactions ----------------------------------------------------------
  /// Loads blocks 1-11, rebuilds the catalogues (a Protocol or FirmwareVersion
  /// of 256 or more throws mk::RangeError before the dialog runs), keeps a copy
  /// of records 1-11 and of Cargo, runs the dialog. OK: stores blocks 1-11 and
  /// returns true. Cancel: puts every kept byte back (Cargo included, so the
  /// editor's tare weight and density follow the same rule) and returns false.
  bool EditSettings(const Dialog& dialog);
  /// Loads Journals, Totals and Cargo, runs the dialog; OK stores Journals,
  /// Totals and ErrorJournal and returns true. Cargo is never stored.
  bool ViewJournals(const Dialog& dialog);
  /// LoadServiceInfo, the range rule, the oscilloscope-support check (an
  /// unsupported variant gets the error message through `prompt` and returns
  /// false), LoadOscilloscope, the dialog. Nothing goes back to the image.
  bool ViewOscilloscope(const Dialog& dialog, link::IUserPrompt& prompt);

  // --- Catalogue hooks ---------------------------------------------------------
  /// Rebuilds the catalogues the transactions need. Protocol and
  /// FirmwareVersion travel to the catalogue as bytes: 256 or more throws
  /// mk::RangeError and leaves the catalogues as they were.
  void RebuildCatalogues(CatalogueStep step);
  const catalog::Catalogues& Catalogues() const { return catalogues_; }
  /// Whether this MK variant keeps an oscilloscope recording.
  bool OscilloscopeSupported() const;
  /// Writes the default hot menus into the Display record: device menu codes
  /// looked up by identifier in the current device menu catalogue.
  void ApplyHotMenuDefaults();

 private:
  /// Runs `dialog`; when it is cancelled or throws, the `kept` records are put
  /// back before this returns false or passes the exception on.
  bool RunDialogKeeping(const RecordCopy& kept, const Dialog& dialog);

  std::vector<std::uint8_t> image_;
  std::uint16_t device_version_ = 1;
  BlockDirectory directory_;
  std::vector<Record> records_;  // in kRecordBlocks order
  std::array<ColorSetBytes, 4> color_presets_;
  catalog::Catalogues catalogues_;  // built for model 1, protocol 0, variant 0
  // Until a recording is loaded: time index 1, level 128, range index 4 (which
  // no scale table holds, so nothing unread is ever drawn as a trace).
  std::array<std::uint8_t, kOscHeaderSize> osc_header1_{1, 0, 0, 0, 128, 0, 4, 0};
  std::array<std::uint8_t, kOscHeaderSize> osc_header2_{1, 0, 0, 0, 128, 0, 4, 0};
  std::array<std::uint8_t, 2 * kOscSamplesPerPart> osc_samples_{};
};

}  // namespace mk::device
