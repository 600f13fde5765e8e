// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/exchange_log.h"

#include <cerrno>
#include <cstdio>

#include "link/vl_rs.h"
#include "text/file_error.h"

namespace mk::link {

std::string CommandName(std::uint8_t command) {
  switch (command) {
    case 0:
      return "DetectAddress";
    case kIdentify:
      return "Identify";
    case kWriteChunk:
      return "WriteChunk";
    case kReadBlock:
      return "ReadBlock";
    case kEndWrite:
      return "EndWrite";
    case kBeginWrite:
      return "BeginWrite";
    default:
      return "команда " + std::to_string(command);
  }
}

std::string FormatFrame(std::uint32_t start_tick, std::uint32_t tick, FrameDirection direction,
                        std::span<const std::uint8_t> bytes, std::uint8_t command,
                        std::string_view note) {
  char time[16];
  std::snprintf(time, sizeof time, "%8u", static_cast<unsigned>(tick - start_tick));
  std::string line = time;
  line += direction == FrameDirection::Sent ? " >" : " <";
  constexpr char kHex[] = "0123456789abcdef";
  if (bytes.empty()) line += " -";
  for (const std::uint8_t b : bytes) {
    line += ' ';
    line += kHex[b >> 4];
    line += kHex[b & 15];
  }
  line += "  ";
  line += CommandName(command);
  if (!note.empty()) {
    line += ": ";
    line += note;
  }
  return line;
}

ExchangeLogFile::ExchangeLogFile(const std::filesystem::path& path, bool append,
                                 std::uint32_t start_tick, std::string_view title)
    : start_tick_(start_tick) {
  errno = 0;
  out_.open(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
  opened_ = out_.good();
  ok_ = opened_;
  if (!ok_) {
    problem_ = text::FileErrorReason(text::LastFileError());
    return;
  }
  out_ << "# " << title << '\n';
  Flush();
}

void ExchangeLogFile::Flush() {
  errno = 0;
  out_.flush();
  if (out_) return;
  // A full disk shows only here; the transfer goes on, but it must be said.
  ok_ = false;
  problem_ = text::FileErrorReason(text::LastFileError());
}

void ExchangeLogFile::Frame(std::uint32_t tick, FrameDirection direction,
                            std::span<const std::uint8_t> bytes, std::uint8_t command,
                            std::string_view note) noexcept {
  if (!ok_ || !out_) return;
  try {
    out_ << FormatFrame(start_tick_, tick, direction, bytes, command, note) << '\n';
    Flush();
  } catch (...) {
    ok_ = false;  // out of memory: the transfer goes on without
    problem_ = "не хватило памяти";
  }
}

}  // namespace mk::link
