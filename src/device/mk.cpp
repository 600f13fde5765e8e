// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/mk.h"

#include <algorithm>
#include <string>

#include "text/byte_io.h"
#include "text/error.h"

namespace mk::device {

namespace {

constexpr std::size_t kBlockHeaderBytes = 4;  // counted by BlockLength, never moved
constexpr std::int64_t kImageBase = 32;       // device address of image position 0

std::size_t RecordIndex(BlockId block) {
  for (std::size_t i = 0; i < kRecordBlocks.size(); ++i) {
    if (kRecordBlocks[i] == block) return i;
  }
  throw Error("Блок " + std::to_string(static_cast<int>(block)) + " не имеет записи.");
}

// Zeroes `count` bytes from byte `at` of every element of an array field.
void ZeroInEachElement(Record& rec, std::string_view field, std::size_t at, std::size_t count) {
  const FieldDef& f = rec.Field(field);
  for (std::size_t i = 0; i < f.count; ++i) {
    auto element = rec.Element(f, i);
    std::fill_n(element.begin() + static_cast<std::ptrdiff_t>(at), count, 0);
  }
}

}  // namespace

BlockDirectory BlockDirectory::Parse(std::span<const std::uint8_t> image) {
  // An image shorter than the directory (an empty one, a damaged file) reads
  // as zeros: no block has data, and nothing stale from an earlier image stays.
  std::array<std::uint8_t, kSize> raw{};
  std::copy_n(image.begin(), std::min(raw.size(), image.size()), raw.begin());
  BlockDirectory d;
  d.BlockCount = bytes::ReadU32(raw, 0);
  for (std::size_t k = 0; k < kDirectoryEntries; ++k) {
    d.BlockAddress[k] = bytes::ReadU16(raw, 4 + 4 * k);
    d.BlockLength[k] = bytes::ReadU16(raw, 6 + 4 * k);
  }
  d.FirmwareVersion = bytes::ReadU32(raw, kFirmwareVersionOffset);
  std::copy_n(raw.begin() + 64, 4, d.Reserved.begin());
  return d;
}

std::size_t BlockDirectory::EntriesToWrite() const {
  return std::min<std::size_t>(BlockCount, kDirectoryEntries);
}

std::int64_t BlockDirectory::Position(int k) const {
  return static_cast<std::int64_t>(BlockAddress.at(static_cast<std::size_t>(k - 1))) - kImageBase;
}

std::size_t BlockDirectory::DataLength(int k) const {
  const std::size_t length = BlockLength.at(static_cast<std::size_t>(k - 1));
  return length < kBlockHeaderBytes ? 0 : length - kBlockHeaderBytes;
}

TMK::TMK() : color_presets_(BuiltInColorPresets()) {
  records_.reserve(kRecordBlocks.size());
  for (BlockId block : kRecordBlocks) {
    records_.emplace_back(BlockDefOf(block));
    records_.back().ApplyDefaults();
  }
  std::ranges::copy(color_presets_[0], ColorSet(0).begin());
  std::ranges::copy(color_presets_[3], ColorSet(1).begin());
  ApplyHotMenuDefaults();
}

void TMK::ReplaceImage(std::uint16_t device_version, std::vector<std::uint8_t> image) {
  TMK before = *this;
  try {
    device_version_ = device_version;
    image_ = std::move(image);
    LoadAll();
  } catch (...) {
    *this = std::move(before);
    throw;
  }
}

Record& TMK::Rec(BlockId block) {
  return records_[RecordIndex(block)];
}
const Record& TMK::Rec(BlockId block) const {
  return records_[RecordIndex(block)];
}

RecordCopy TMK::CopyRecords(std::span<const BlockId> blocks) const {
  RecordCopy copy;
  for (BlockId block : blocks) copy.records.emplace_back(block, Rec(block).Bytes());
  return copy;
}

void TMK::RestoreRecords(const RecordCopy& copy) {
  for (const auto& [block, bytes] : copy.records) Rec(block).Bytes() = bytes;
}

bool TMK::SameRecords(const RecordCopy& copy) const {
  return std::ranges::all_of(
      copy.records, [this](const auto& kept) { return Rec(kept.first).Bytes() == kept.second; });
}

void TMK::ReadDirectory() {
  directory_ = BlockDirectory::Parse(image_);
}

void TMK::Load(BlockId block) {
  ReadDirectory();
  const int k = static_cast<int>(block);
  Record& rec = Rec(block);
  const std::int64_t position = directory_.Position(k);
  // A block placed before the image or past its end has nothing to give; a
  // data part longer than our record (another firmware's layout) is cut to it.
  if (position < 0 || static_cast<std::uint64_t>(position) >= image_.size()) return;
  const auto start = static_cast<std::size_t>(position);
  const std::size_t count =
      std::min({directory_.DataLength(k), rec.Bytes().size(), image_.size() - start});
  std::copy_n(image_.begin() + static_cast<std::ptrdiff_t>(start), count, rec.Bytes().begin());
}

void TMK::Store(BlockId block) {
  const BlockId one[] = {block};
  StoreBlocks(one);
}

void TMK::StoreBlocks(std::span<const BlockId> blocks) {
  // A store may rewrite the directory itself (a block placed over it), and the
  // directory is re-read before every block, so a later block can only be
  // checked when its turn comes. Work so that a refusal leaves the image whole.
  std::vector<std::uint8_t> saved_image = image_;
  const BlockDirectory saved_directory = directory_;
  try {
    for (BlockId block : blocks) {
      ReadDirectory();
      const std::int64_t position = directory_.Position(static_cast<int>(block));
      if (position < 0) {
        throw Error("Каталог блоков настроек повреждён: блок " +
                    std::to_string(static_cast<int>(block)) + " лежит вне памяти МК.");
      }
      const Record& rec = Rec(block);
      const auto start = static_cast<std::size_t>(position);
      const std::size_t end = start + rec.Bytes().size();
      if (image_.size() < end) image_.resize(end, 0);
      std::ranges::copy(rec.Bytes(), image_.begin() + static_cast<std::ptrdiff_t>(start));
    }
  } catch (...) {
    image_ = std::move(saved_image);
    directory_ = saved_directory;
    throw;
  }
}

void TMK::LoadAll() {
  for (BlockId block : kStoredBlocks) Load(block);
}

void TMK::StoreAll() {
  StoreBlocks(kStoredBlocks);
}

void TMK::LoadOscilloscope() {
  const auto copy_part = [this](std::size_t position, std::span<std::uint8_t> header,
                                std::span<std::uint8_t> samples) {
    const auto copy_from = [this](std::size_t at, std::span<std::uint8_t> to) {
      if (at >= image_.size()) return;
      const std::size_t count = std::min(to.size(), image_.size() - at);
      std::copy_n(image_.begin() + static_cast<std::ptrdiff_t>(at), count, to.begin());
    };
    copy_from(position, header);
    copy_from(position + kOscHeaderSize, samples);
  };
  const std::span<std::uint8_t> samples(osc_samples_);
  copy_part(kOscPart1Position, osc_header1_, samples.first(kOscSamplesPerPart));
  copy_part(kOscPart2Position, osc_header2_, samples.last(kOscSamplesPerPart));
}

std::span<std::uint8_t> TMK::ColorSet(std::size_t index) {
  return Rec(BlockId::Display).Element("ColorSet", index);
}

std::span<const std::uint8_t> TMK::ColorSet(std::size_t index) const {
  return Rec(BlockId::Display).Element("ColorSet", index);
}

// A journal record is empty when its byte 2 is zero; clearing keeps the rest.
void TMK::ClearTripJournal() {
  ZeroInEachElement(Rec(BlockId::Journals), "TripJournal", 2, 1);
}

void TMK::ClearTankJournal() {
  ZeroInEachElement(Rec(BlockId::Journals), "TankJournal", 2, 1);
}

void TMK::ClearErrorJournal() {
  Record& rec = Rec(BlockId::ErrorJournal);
  auto pid_map = rec.Element("PidMap");
  std::fill(pid_map.begin(), pid_map.end(), 0);
  ZeroInEachElement(rec, "ErrorRecords", 0, 8);
}

bool TMK::RunDialogKeeping(const RecordCopy& kept, const Dialog& dialog) {
  bool ok = false;
  try {
    ok = dialog && dialog();
  } catch (...) {
    RestoreRecords(kept);
    throw;
  }
  if (!ok) RestoreRecords(kept);
  return ok;
}

bool TMK::EditSettings(const Dialog& dialog) {
  for (BlockId block : kSettingsBlocks) Load(block);
  RebuildCatalogues(CatalogueStep::Protocols);
  // A cancelled edit puts back everything the editor changed, Cargo included.
  const RecordCopy kept = CopyRecords(kEditedBlocks);
  RebuildCatalogues(CatalogueStep::ParametersAndMenu);
  if (!RunDialogKeeping(kept, dialog)) return false;
  StoreBlocks(kSettingsBlocks);
  return true;
}

bool TMK::ViewJournals(const Dialog& dialog) {
  LoadJournals();
  LoadTotals();
  LoadCargo();
  // Clearing happens in the records. A cancelled window must not leave a
  // cleared journal there, or the next write to the MK would carry it.
  static constexpr BlockId kJournalBlocks[] = {BlockId::Journals, BlockId::Totals,
                                               BlockId::ErrorJournal, BlockId::Cargo};
  if (!RunDialogKeeping(CopyRecords(kJournalBlocks), dialog)) return false;
  static constexpr BlockId kStored[] = {BlockId::Journals, BlockId::Totals, BlockId::ErrorJournal};
  StoreBlocks(kStored);
  return true;
}

bool TMK::ViewOscilloscope(const Dialog& dialog, link::IUserPrompt& prompt) {
  LoadServiceInfo();
  RebuildCatalogues(CatalogueStep::Protocols);
  if (!OscilloscopeSupported()) {
    prompt.ShowError("В данной версии МК оцилллограф не поддерживается.");
    return false;
  }
  LoadOscilloscope();
  if (dialog) dialog();
  return true;
}

void CheckCatalogueBytes(std::int64_t protocol, std::uint32_t firmware_version) {
  // Protocol is the editor's setting cbProtocol and is named as the editor's
  // range errors name theirs; FirmwareVersion is no setting.
  if (protocol < 0 || protocol > 255) {
    throw RangeError("Значение настройки «Протокол» (cbProtocol) равно " +
                     std::to_string(protocol) + ", а должно быть от 0 до 255.");
  }
  if (firmware_version > 255) {
    throw RangeError("Ошибка проверки диапазона: FirmwareVersion = " +
                     std::to_string(firmware_version) + ", а допустимо от 0 до 255.");
  }
}

void TMK::RebuildCatalogues(CatalogueStep step) {
  if (step == CatalogueStep::ParametersAndMenu) {
    catalogues_.RebuildParamsAndMenu();
    return;
  }
  const std::int64_t protocol = Rec(BlockId::ServiceInfo).GetInt("Protocol");
  CheckCatalogueBytes(protocol, FirmwareVersion());
  catalogues_.RebuildProtocols(device_version_, static_cast<std::uint8_t>(protocol),
                               static_cast<std::uint8_t>(FirmwareVersion()));
}

bool TMK::OscilloscopeSupported() const {
  return catalogues_.OscilloscopeSupported();
}

void TMK::ApplyHotMenuDefaults() {
  const catalog::HotMenus defaults = catalogues_.DefaultHotMenus();
  Record& display = Rec(BlockId::Display);
  for (std::size_t menu = 0; menu < defaults.size(); ++menu) {
    for (std::size_t i = 0; i < defaults[menu].size(); ++i) {
      display.SetInt("HotMenu", defaults[menu][i], menu, i);
    }
  }
}

}  // namespace mk::device
