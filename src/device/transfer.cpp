#include "device/transfer.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "device/transfer_plan.h"
#include "text/error.h"

namespace mk::device {
namespace {

constexpr const char* kConnecting = "Не могу подключиться к МК...";
constexpr const char* kReading = "Чтение настроек...";
constexpr const char* kWriting = "Запись настроек...";
constexpr const char* kWritten = "Настройки записаны в МК";
constexpr const char* kDeviceMismatch = "Версия настроек не совпадает с версией устройства!";
constexpr const char* kFirmwareMismatch = "Версия настроек не совпадает с версией прошивки!";

constexpr std::uint16_t kConnectTimeoutMs = 100;
constexpr std::uint16_t kWriteTimeoutMs = 2000;
constexpr std::size_t kPage = 32;

struct Candidate {
  std::uint8_t address;
  std::uint32_t memory;
};
constexpr std::array<Candidate, 3> kCandidates = {{{252, 8192}, {253, 8192}, {254, 32768}}};

// Answer layout: length, address, header word, status, data..., checksum.
constexpr std::size_t kAnswerOverhead = 6;

// Reads the whole memory except the first page of each half into a new
// buffer; the caller decides what becomes of it only once it is complete.
std::vector<std::uint8_t> ReadMemory(link::TVL_RS& rs, const Connection& c,
                                     link::IProgress& progress) {
  progress.SetLabel(kReading);
  progress.SetGauge(0);
  progress.ShowGauge(true);
  progress.ShowCancel(false);

  const std::uint32_t pages = c.MemorySize / kPage;
  const std::uint32_t half = pages / 2;
  std::vector<std::uint8_t> image;
  image.reserve(c.MemorySize - 2 * kPage);
  for (std::uint32_t h = 0; h < 2; ++h) {
    for (std::uint32_t k = 1; k < half; ++k) {
      const std::uint32_t n = h * half + k;
      rs.BeginCommand(c.DeviceAddress, link::kReadBlock);
      rs.PutWord(static_cast<std::uint16_t>(n));
      rs.Transact();
      // A well-formed answer that carries less than a page would otherwise
      // fill the image with whatever the answer buffer held before.
      if (rs.Answer[0] != 0 && rs.Answer[0] < kAnswerOverhead + kPage) {
        throw Error(std::string(link::kExchangeError) + " Блок памяти " + std::to_string(n) +
                    " пришёл неполным.");
      }
      for (std::size_t i = 0; i < kPage; ++i) image.push_back(rs.GetByte());
      progress.SetGauge(RoundPercent(n, pages - 2));
    }
  }
  return image;
}

void WriteRegion(link::TVL_RS& rs, std::uint8_t address, const RegionToWrite& region,
                 std::span<const std::uint8_t> image) {
  const auto a = region.address;
  const auto length = static_cast<std::uint16_t>(region.bytes);
  const auto data = image.subspan(region.position, region.bytes);
  rs.ResponseTimeout = kWriteTimeoutMs;

  rs.BeginCommand(address, link::kBeginWrite);
  rs.PutWord(a);
  rs.PutWord(length);
  rs.Transact();

  for (std::size_t j = 0; j * kPage < data.size(); ++j) {
    const std::size_t count = std::min(kPage, data.size() - j * kPage);
    rs.BeginCommand(address, link::kWriteChunk);
    rs.PutWord(static_cast<std::uint16_t>(j));
    rs.PutWord(static_cast<std::uint16_t>(count));
    for (std::size_t i = 0; i < count; ++i) rs.PutByte(data[j * kPage + i]);
    rs.Transact();
  }

  rs.BeginCommand(address, link::kEndWrite);
  rs.PutWord(a);
  rs.PutWord(length);
  rs.Transact();
}

}  // namespace

std::optional<Connection> ConnectCycle(link::TVL_RS& rs, link::IProgress& progress,
                                       link::IPump& pump) {
  progress.SetLabel(kConnecting);
  progress.ShowGauge(false);
  progress.ShowCancel(true);
  for (;;) {
    for (const Candidate& c : kCandidates) {
      rs.ResponseTimeout = kConnectTimeoutMs;
      try {
        rs.Command(c.address, link::kIdentify);
        rs.GetByte();  // the MK's, not ours to interpret
        return Connection{c.address, c.memory, rs.GetWord()};
      } catch (const Error&) {
        pump.ProcessMessages();
        if (progress.Cancelled()) return std::nullopt;
      }
    }
  }
}

TransferResult ReadSettings(link::TVL_RS& rs, TMK& mk, link::IProgress& progress, link::IPump& pump,
                            Connection* found) {
  const std::optional<Connection> c = ConnectCycle(rs, progress, pump);
  if (!c) return TransferResult::Cancelled;
  if (found != nullptr) *found = *c;
  // Only a whole memory replaces the model, and through its one replace-and-parse step.
  mk.ReplaceImage(c->DeviceVersion, ReadMemory(rs, *c, progress));
  return TransferResult::Done;
}

TransferResult WriteSettings(link::TVL_RS& rs, TMK& mk, link::IProgress& progress,
                             link::IPump& pump, link::IUserPrompt& prompt, Connection* found) {
  const RecordCopy kept = mk.CopyRecords(kStoredBlocks);
  const std::uint32_t kept_firmware = mk.FirmwareVersion();

  const std::optional<Connection> c = ConnectCycle(rs, progress, pump);
  if (!c) return TransferResult::Cancelled;
  if (found != nullptr) *found = *c;
  if (c->DeviceVersion != mk.DeviceVersion()) {
    prompt.ShowError(kDeviceMismatch);
    return TransferResult::Refused;
  }

  // The MK's memory and the user's records are put together on a copy of the
  // model, so a link error or a damaged directory leaves the model untouched.
  TMK merged = mk;
  merged.Image() = ReadMemory(rs, *c, progress);
  merged.RestoreRecords(kept);
  merged.StoreAll();
  const std::vector<RegionToWrite> regions =
      PlanRegions(merged.Directory(), merged.Image().size(), c->MemorySize);
  mk = std::move(merged);

  if (mk.FirmwareVersion() != kept_firmware) {
    prompt.ShowError(kFirmwareMismatch);
    return TransferResult::Refused;
  }

  progress.SetLabel(kWriting);
  progress.SetGauge(0);
  for (std::size_t i = 0; i < regions.size(); ++i) {
    WriteRegion(rs, c->DeviceAddress, regions[i], mk.Image());
    progress.SetGauge(RoundPercent(i + 1, regions.size()));
  }
  prompt.ShowInfo(kWritten);
  return TransferResult::Done;
}

}  // namespace mk::device
