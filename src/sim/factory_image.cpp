// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/factory_image.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>
#include <utility>

#include "device/mk.h"
#include "sim/journal_entry.h"
#include "text/byte_io.h"

namespace mk::sim {
namespace {

using bytes::WriteU16;
using bytes::WriteU32;
using device::BlockId;

constexpr std::size_t kPage = 32;
constexpr std::uint8_t kErased = 0xFF;
constexpr std::uint16_t kFirstBlockAddress = 100;  // just past the directory
constexpr std::size_t kBlock12Bytes = 16;
constexpr std::size_t kCargoBytes = 8;  // tare weight and cargo density
constexpr std::size_t kBlockExtra = 4;  // counted in BlockLength, kept by the MK

void CheckSize(std::size_t size) {
  if (size != 8192 && size != 32768) {
    throw std::invalid_argument("memory size must be 8192 or 32768");
  }
}

std::size_t DataBytes(int k) {
  if (k == 12) return kBlock12Bytes;
  if (k == 14) return kCargoBytes;
  return device::BlockDefOf(static_cast<BlockId>(k)).record_size;
}

// All fourteen blocks one after another from just past the directory; they
// end near image position 3100, well before the first oscilloscope part.
void WriteDirectory(std::vector<std::uint8_t>& image) {
  WriteU32(image, 0, device::kDirectoryEntries);
  std::uint16_t address = kFirstBlockAddress;
  for (int k = 1; k <= static_cast<int>(device::kDirectoryEntries); ++k) {
    const auto length = static_cast<std::uint16_t>(DataBytes(k) + kBlockExtra);
    WriteU16(image, 4 + 4 * static_cast<std::size_t>(k - 1), address);
    WriteU16(image, 6 + 4 * static_cast<std::size_t>(k - 1), length);
    address = static_cast<std::uint16_t>(address + length);
  }
  WriteU32(image, device::BlockDirectory::kFirmwareVersionOffset, kFactoryFirmwareVersion);
  WriteU32(image, 64, 0);
}

void FillJournals(device::TMK& mk) {
  device::Record& journals = mk.Rec(BlockId::Journals);
  const JournalEntry trips[] = {
      {18 * 60 + 42, 14, 3, 2520, 31400, 3120, 0},   {8 * 60 + 5, 14, 3, 1860, 18250, 2010, 0},
      {19 * 60 + 17, 13, 3, 3310, 42600, 3870, 0},   {7 * 60 + 58, 13, 3, 1790, 17980, 1960, 0},
      {12 * 60 + 30, 11, 3, 9240, 161300, 11420, 0},
  };
  for (std::size_t i = 0; i < std::size(trips); ++i) {
    PutJournalEntry(journals.Element("TripJournal", i), trips[i]);
  }
  const JournalEntry refuellings[] = {
      {17 * 60 + 55, 12, 3, 41820, 512300, 38750, 0},
      {9 * 60 + 12, 2, 3, 39400, 486900, 37100, 0},
      {20 * 60 + 3, 19, 2, 44210, 531800, 40320, 0},
  };
  for (std::size_t i = 0; i < std::size(refuellings); ++i) {
    PutJournalEntry(journals.Element("TankJournal", i), refuellings[i]);
  }

  device::Record& totals = mk.Rec(BlockId::Totals);
  const std::int64_t all[] = {812340, 10234500, 803400};
  const std::int64_t trip[] = {2520, 31400, 3120};
  const std::int64_t tank[] = {18720, 271530, 22380};
  for (std::size_t i = 0; i < 3; ++i) {
    totals.SetInt("AllSum", all[i], i);
    totals.SetInt("ResetSum", all[i], i);
    totals.SetInt("TripSum", trip[i], i);
    totals.SetInt("TankSum", tank[i], i);
    totals.SetInt("OilOnlySum", all[i], i);
  }
  totals.SetInt("StopSum", 95400, 0);
  totals.SetInt("StopSum", 310200, 1);
  totals.SetInt("StopSum", 61800, 2);
  totals.SetInt("NoStopSum", all[0] - 95400, 0);
  totals.SetInt("NoStopSum", all[1] - 310200, 1);
  totals.SetInt("NoStopSum", all[2] - 61800, 2);
  totals.SetInt("AllPathStart", 48200);
}

// PIDs 3-7, 11-15 and 17 (bit 7 - ((p - 1) mod 8) of byte (p - 1) div 8).
constexpr std::uint8_t kPidMap[12] = {0x3E, 0x3E, 0x80, 0, 0, 0, 0, 0, 0, 0, 0, 0};

struct ErrorEntry {
  std::uint16_t minutes;
  std::uint8_t day;
  std::uint8_t month;
  std::uint32_t code;
  std::uint16_t fuel_status;
  std::int16_t load, coolant, short_trim1, short_trim2, long_trim1, long_trim2;
  std::int16_t map_kpa, speed, rpm, advance_tenths, intake_c;
  std::int16_t throttle;
};

void FillErrors(device::TMK& mk) {
  device::Record& errors = mk.Rec(BlockId::ErrorJournal);
  std::ranges::copy(kPidMap, errors.Element("PidMap").begin());
  const ErrorEntry entries[] = {
      {7 * 60 + 48, 13, 3, 0x0301, 0x0200, 34, 82, 3, 0, -2, 0, 41, 0, 820, 85, 21, 14},
      {17 * 60 + 2, 6, 3, 0x0171, 0x0200, 27, 90, 12, 0, 18, 0, 36, 64, 2140, 240, 18, 19},
      {25 * 60 + 30, 28, 2, 0x0420, 0x0200, 41, 94, -1, 0, 5, 0, 52, 88, 2560, 310, 9, 23},
  };
  for (std::size_t i = 0; i < std::size(entries); ++i) {
    const ErrorEntry& e = entries[i];
    auto r = errors.Element("ErrorRecords", i);
    WriteU16(r, 0, e.minutes);
    r[2] = e.day;
    r[3] = e.month;
    WriteU32(r, 4, e.code);
    WriteU32(r, 8, e.code);  // the code that caused the freeze frame
    WriteU16(r, 12, e.fuel_status);
    const std::pair<std::size_t, std::int16_t> values[] = {
        {14, e.load},       {16, e.coolant},        {18, e.short_trim1}, {20, e.short_trim2},
        {22, e.long_trim1}, {24, e.long_trim2},     {28, e.map_kpa},     {30, e.speed},
        {32, e.rpm},        {34, e.advance_tenths}, {36, e.intake_c},    {40, e.throttle},
    };
    for (const auto& [offset, value] : values) {
      WriteU16(r, offset, static_cast<std::uint16_t>(value));
    }
  }
}

// A damped oscillation after the trigger: what an ignition coil looks like.
void FillOscilloscope(std::vector<std::uint8_t>& image) {
  const std::uint8_t header1[8] = {3, 0, 0, 0, 25, 0, 1, 0};
  const std::uint8_t header2[8] = {3, 0, 0, 0, 25, 0, 1, 0};
  std::ranges::copy(header1, image.begin() + device::kOscPart1Position);
  std::ranges::copy(header2, image.begin() + device::kOscPart2Position);
  for (std::size_t i = 0; i < 2 * device::kOscSamplesPerPart; ++i) {
    const double t = static_cast<double>(i);
    const double wave = 96.0 * std::sin(2 * std::numbers::pi * t / 128.0) * std::exp(-t / 600.0);
    const auto sample = static_cast<std::uint8_t>(std::lround(128.0 + wave));
    const std::size_t part = i / device::kOscSamplesPerPart;
    const std::size_t base = part == 0 ? device::kOscPart1Position : device::kOscPart2Position;
    image[base + device::kOscHeaderSize + i % device::kOscSamplesPerPart] = sample;
  }
}

}  // namespace

std::vector<std::uint8_t> FactoryMemory(std::size_t size) {
  CheckSize(size);
  device::TMK mk;
  std::vector<std::uint8_t> image(size - 2 * kPage, kErased);
  WriteDirectory(image);
  mk.Image() = std::move(image);
  mk.ReadDirectory();

  // Block 12 is not ours to interpret; a few bytes that read back as they went.
  const auto b12 = static_cast<std::size_t>(mk.Directory().Position(12));
  for (std::size_t i = 0; i < kBlock12Bytes; ++i) {
    mk.Image()[b12 + i] = static_cast<std::uint8_t>(0xA0 + i);
  }
  // The records start at their defaults (TMK's own); the journals get a history.
  FillJournals(mk);
  FillErrors(mk);
  mk.StoreAll();
  // Cargo is never stored by the model, and its block is shorter than the record.
  const auto cargo = static_cast<std::size_t>(mk.Directory().Position(14));
  std::copy_n(mk.Rec(BlockId::Cargo).Bytes().begin(), kCargoBytes,
              mk.Image().begin() + static_cast<std::ptrdiff_t>(cargo));
  FillOscilloscope(mk.Image());
  return MemoryFromImage(mk.Image(), size);
}

std::vector<std::uint8_t> ImageFromMemory(std::span<const std::uint8_t> memory) {
  CheckSize(memory.size());
  const std::size_t half = memory.size() / 2;
  std::vector<std::uint8_t> image;
  image.reserve(memory.size() - 2 * kPage);
  const auto low = memory.subspan(kPage, half - kPage);
  const auto high = memory.subspan(half + kPage);
  image.insert(image.end(), low.begin(), low.end());
  image.insert(image.end(), high.begin(), high.end());
  return image;
}

std::vector<std::uint8_t> MemoryFromImage(std::span<const std::uint8_t> image, std::size_t size) {
  CheckSize(size);
  if (image.size() > size - 2 * kPage) {
    throw std::invalid_argument("the image is longer than a memory of " + std::to_string(size) +
                                " bytes holds");
  }
  std::vector<std::uint8_t> memory(size, kErased);
  const std::size_t half = size / 2;
  const std::size_t first = std::min(image.size(), half - kPage);
  std::copy_n(image.begin(), first, memory.begin() + kPage);
  std::copy(image.begin() + static_cast<std::ptrdiff_t>(first), image.end(),
            memory.begin() + static_cast<std::ptrdiff_t>(half + kPage));
  return memory;
}

}  // namespace mk::sim
