// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/transfer.h"

#include <algorithm>
#include <array>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "device/atomic_file.h"
#include "device/transfer_plan.h"
#include "text/error.h"
#include "text/utf8_path.h"

namespace mk::device {
namespace {

constexpr const char* kConnecting = "Не могу подключиться к МК...";
constexpr const char* kReading = "Чтение настроек...";
constexpr const char* kWriting = "Запись настроек...";
constexpr const char* kVerifying = "Проверка записанного...";
constexpr const char* kWritten = "Настройки записаны в МК";
constexpr const char* kNothingChosen =
    "Отмеченные настройки МК уже хранит: записывать нечего. В МК ничего не записано.";
constexpr const char* kDeviceMismatch = "Версия настроек не совпадает с версией устройства!";
constexpr const char* kFirmwareMismatch = "Версия настроек не совпадает с версией прошивки!";
constexpr const char* kLayoutMismatch = "Расположение блоков в файле не совпадает с МК: ";
constexpr const char* kNothingWritten = " Ничего не записано.";
constexpr const char* kNoBlocks =
    "В настройках нет ни одного блока для записи. Ничего не записано.";

constexpr std::uint16_t kConnectTimeoutMs = 100;
constexpr std::uint16_t kWriteTimeoutMs = 2000;
constexpr std::size_t kPage = 32;

struct Candidate {
  std::uint8_t address;
  std::uint32_t memory;
};
constexpr std::array<Candidate, 3> kCandidates = {{{252, 8192}, {253, 8192}, {254, 32768}}};

}  // namespace

bool IsMkAddress(long address) {
  return std::any_of(kCandidates.begin(), kCandidates.end(),
                     [address](const Candidate& c) { return c.address == address; });
}

namespace {

// Answer layout: length, address, header word, status, data..., checksum.
constexpr std::size_t kAnswerOverhead = 6;

// One page of the MK's memory, appended to `into`.
void ReadPage(link::TVL_RS& rs, std::uint8_t address, std::uint32_t n,
              std::vector<std::uint8_t>& into) {
  rs.BeginCommand(address, link::kReadBlock);
  rs.PutWord(static_cast<std::uint16_t>(n));
  rs.Transact();
  // A well-formed answer that carries less than a page would otherwise
  // fill the image with whatever the answer buffer held before.
  if (rs.Answer()[0] != 0 && rs.Answer()[0] < kAnswerOverhead + kPage) {
    throw Error(std::string(link::kExchangeError) + " Блок памяти " + std::to_string(n) +
                " пришёл неполным.");
  }
  for (std::size_t i = 0; i < kPage; ++i) into.push_back(rs.GetByte());
}

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
      ReadPage(rs, c.DeviceAddress, n, image);
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
  rs.SetResponseTimeout(kWriteTimeoutMs);

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

std::string BackupLine(const std::optional<std::filesystem::path>& backup) {
  if (!backup) return "Резервная копия памяти МК до записи не сохранялась.";
  return "Резервная копия памяти МК до записи: " + text::PathText(*backup);
}

// "1–4, 6, 9–11" of directory entries in ascending order.
std::string BlockList(const std::vector<int>& blocks) {
  std::string text;
  for (std::size_t i = 0; i < blocks.size();) {
    std::size_t j = i;
    while (j + 1 < blocks.size() && blocks[j + 1] == blocks[j] + 1) ++j;
    if (!text.empty()) text += ", ";
    text += std::to_string(blocks[i]);
    if (j > i) text += (j == i + 1 ? ", " : "–") + std::to_string(blocks[j]);
    i = j + 1;
  }
  return text;
}

// What the user must know when a write stops after its first BeginWrite.
std::string Interrupted(const std::string& cause, const std::vector<int>& written, int block,
                        std::size_t total, const std::optional<std::filesystem::path>& backup) {
  std::string text = cause + "\n\n";
  if (written.empty()) {
    text += "МК может хранить часть новых настроек. Ни один блок не записан полностью";
  } else {
    text += "МК теперь хранит часть новых настроек. ";
    text += (written.size() == 1 ? "Записан блок " : "Записаны блоки ") + BlockList(written) +
            " из " + std::to_string(total);
  }
  text += "; запись блока " + std::to_string(block) + " прервана.\n" + BackupLine(backup);
  return text;
}

// Reads back the pages under every written region and compares them with
// the bytes that were sent; a page two regions share is read once.
void Verify(link::TVL_RS& rs, std::uint8_t address, const std::vector<RegionToWrite>& regions,
            std::span<const std::uint8_t> image, link::IProgress& progress,
            const std::optional<std::filesystem::path>& backup) {
  progress.SetLabel(kVerifying);
  progress.SetGauge(0);
  std::vector<int> all;
  all.reserve(regions.size());
  for (const RegionToWrite& r : regions) all.push_back(r.block);
  std::map<std::uint32_t, std::vector<std::uint8_t>> pages;
  for (std::size_t i = 0; i < regions.size(); ++i) {
    const RegionToWrite& r = regions[i];
    for (std::size_t at = 0; at < r.bytes; ++at) {
      const std::size_t device = r.address + at;
      const auto n = static_cast<std::uint32_t>(device / kPage);
      auto page = pages.find(n);
      if (page == pages.end()) {
        std::vector<std::uint8_t> bytes;
        try {
          ReadPage(rs, address, n, bytes);
        } catch (const Error& e) {
          throw PartialWriteError(std::string(e.what()) +
                                      "\n\nВсе блоки записаны, но проверка записанного "
                                      "прервана: МК может хранить часть новых настроек.\n" +
                                      BackupLine(backup),
                                  e.what(), all);
        }
        page = pages.emplace(n, std::move(bytes)).first;
      }
      if (page->second[device % kPage] != image[r.position + at]) {
        const std::string cause = "Проверка записи: блок " + std::to_string(r.block) +
                                  " в МК не совпадает с записанным (адрес " +
                                  std::to_string(device) + ").";
        throw PartialWriteError(
            cause + "\n\nМК может хранить смесь старых и новых настроек.\n" + BackupLine(backup),
            cause, all);
      }
    }
    progress.SetGauge(RoundPercent(i + 1, regions.size()));
  }
}

// The MK as read, parsed beside what will be written, for the user's question.
bool ConfirmWrite(const WriteOptions& options, TMK& to_write, std::uint16_t version,
                  const std::vector<std::uint8_t>& before) {
  TMK fresh = to_write;
  fresh.ReplaceImage(version, before);
  return options.confirm(fresh, to_write);
}

std::string Entry(const BlockDirectory& d, int k) {
  const auto i = static_cast<std::size_t>(k - 1);
  return "адрес " + std::to_string(d.BlockAddress[i]) + ", длина " +
         std::to_string(d.BlockLength[i]);
}

// The records were cut out of the settings where their directory points and
// are laid where the MK's points: unless both directories agree, that lays
// shifted or foreign bytes over the MK's settings. Empty when they agree.
std::string LayoutDifference(const BlockDirectory& settings, const BlockDirectory& device) {
  if (settings.BlockCount != device.BlockCount) {
    return std::string(kLayoutMismatch) + "блоков в файле " + std::to_string(settings.BlockCount) +
           ", в МК " + std::to_string(device.BlockCount) + "." + kNothingWritten;
  }
  for (int k = 1; k <= static_cast<int>(kDirectoryEntries); ++k) {
    const auto i = static_cast<std::size_t>(k - 1);
    if (settings.BlockAddress[i] != device.BlockAddress[i] ||
        settings.BlockLength[i] != device.BlockLength[i]) {
      return std::string(kLayoutMismatch) + "блок " + std::to_string(k) +
             " в файле: " + Entry(settings, k) + "; в МК: " + Entry(device, k) + "." +
             kNothingWritten;
    }
  }
  return {};
}

}  // namespace

std::optional<Connection> ConnectCycle(link::TVL_RS& rs, link::IProgress& progress,
                                       link::IPump& pump, std::uint8_t first_guess) {
  progress.SetLabel(kConnecting);
  progress.ShowGauge(false);
  progress.ShowCancel(true);
  // Identify at one address; false when it failed and the cycle goes on.
  const auto ask = [&](const Candidate& c, bool once) -> std::optional<Connection> {
    rs.SetResponseTimeout(kConnectTimeoutMs);
    try {
      rs.BeginCommand(c.address, link::kIdentify);
      once ? rs.TransactOnce() : rs.Transact();
      rs.GetByte();  // the MK's, not ours to interpret
      return Connection{c.address, c.memory, rs.GetWord()};
    } catch (const Error&) {
      pump.ProcessMessages();
      return std::nullopt;
    }
  };
  for (const Candidate& c : kCandidates) {
    if (c.address != first_guess) continue;
    if (auto found = ask(c, true)) return found;
    if (progress.Cancelled()) return std::nullopt;
  }
  for (;;) {
    for (const Candidate& c : kCandidates) {
      if (auto found = ask(c, false)) return found;
      if (progress.Cancelled()) return std::nullopt;
    }
  }
}

TransferResult ReadSettings(link::TVL_RS& rs, TMK& mk, link::IProgress& progress, link::IPump& pump,
                            Connection* found) {
  const std::optional<Connection> c =
      ConnectCycle(rs, progress, pump, found != nullptr ? found->DeviceAddress : 0);
  if (!c) return TransferResult::Cancelled;
  if (found != nullptr) *found = *c;
  // Only a whole memory replaces the model, and through its one replace-and-parse step.
  mk.ReplaceImage(c->DeviceVersion, ReadMemory(rs, *c, progress));
  return TransferResult::Done;
}

TransferResult WriteSettings(link::TVL_RS& rs, TMK& mk, link::IProgress& progress,
                             link::IPump& pump, link::IUserPrompt& prompt, Connection* found,
                             const WriteOptions& options) {
  const RecordCopy kept = mk.CopyRecords(kStoredBlocks);
  const std::uint32_t kept_firmware = mk.FirmwareVersion();
  const BlockDirectory kept_layout = BlockDirectory::Parse(mk.Image());

  const std::optional<Connection> c =
      ConnectCycle(rs, progress, pump, found != nullptr ? found->DeviceAddress : 0);
  if (!c) return TransferResult::Cancelled;
  if (found != nullptr) *found = *c;
  if (c->DeviceVersion != mk.DeviceVersion()) {
    prompt.ShowError(kDeviceMismatch);
    return TransferResult::Refused;
  }

  // The MK's memory and the user's records are put together on a copy of the
  // model, so a link error or a damaged directory leaves the model untouched.
  std::vector<std::uint8_t> before = ReadMemory(rs, *c, progress);
  TMK merged = mk;
  merged.Image() = before;
  merged.RestoreRecords(kept);
  merged.StoreAll();
  const std::vector<RegionToWrite> regions =
      PlanRegions(merged.Directory(), merged.Image().size(), c->MemorySize);
  // A "no" to the question leaves the model as it was, the file's own memory included.
  std::optional<TMK> unasked;
  if (options.confirm) unasked = mk;
  if (merged.FirmwareVersion() != kept_firmware) {
    mk = std::move(merged);
    prompt.ShowError(kFirmwareMismatch);
    return TransferResult::Refused;
  }
  // Checked before the model takes the merged image, which would hold the
  // records at the wrong places.
  if (const std::string difference = LayoutDifference(kept_layout, merged.Directory());
      !difference.empty()) {
    prompt.ShowError(difference);
    return TransferResult::Refused;
  }
  if (regions.empty()) {
    prompt.ShowError(kNoBlocks);
    return TransferResult::Refused;
  }
  mk = std::move(merged);

  const bool whole_changes = mk.Image() != before;
  if (options.confirm && !ConfirmWrite(options, mk, c->DeviceVersion, before)) {
    mk = std::move(*unasked);
    return TransferResult::Cancelled;
  }
  // Only some changes ticked, and those the MK holds already: nothing to send.
  if (options.confirm && whole_changes && mk.Image() == before) {
    mk = std::move(*unasked);
    prompt.ShowInfo(kNothingChosen);
    return TransferResult::Unchanged;
  }

  // The last moment at which the MK still holds only its own settings.
  std::optional<std::filesystem::path> backup;
  if (options.backup) backup = options.backup(c->DeviceVersion, before);

  progress.SetLabel(kWriting);
  progress.SetGauge(0);
  std::vector<int> written;
  for (std::size_t i = 0; i < regions.size(); ++i) {
    try {
      WriteRegion(rs, c->DeviceAddress, regions[i], mk.Image());
    } catch (const Error& e) {
      throw PartialWriteError(
          Interrupted(e.what(), written, regions[i].block, regions.size(), backup), e.what(),
          written);
    }
    written.push_back(regions[i].block);
    progress.SetGauge(RoundPercent(i + 1, regions.size()));
  }
  if (options.verify) Verify(rs, c->DeviceAddress, regions, mk.Image(), progress, backup);
  prompt.ShowInfo(kWritten);
  return TransferResult::Done;
}

}  // namespace mk::device
