// SPDX-License-Identifier: GPL-3.0-or-later
// The exchange log: every frame that goes to the MK and every one that comes
// back, with its time, direction, bytes and command, for finding out later
// what happened on the line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>
#include <string_view>

namespace mk::link {

enum class FrameDirection : std::uint8_t { Sent, Received };

/// Told about every frame the channel sends and every answer it takes in
/// (also one that arrived broken or not at all). Must never throw: a log
/// that fails stays quiet, it never stops a transfer.
class IExchangeLog {
 public:
  virtual ~IExchangeLog() = default;
  /// `tick` is the channel clock's tick count; `command` the code of the
  /// request (for an answer: of the request it answers); `note` says what
  /// was wrong with an answer, empty for a sound one.
  virtual void Frame(std::uint32_t tick, FrameDirection direction,
                     std::span<const std::uint8_t> bytes, std::uint8_t command,
                     std::string_view note) noexcept = 0;
};

/// "Identify", "ReadBlock", ... for the commands the configurator sends,
/// "DetectAddress" for 0, "команда N" for any other.
std::string CommandName(std::uint8_t command);

/// One log line without its end: milliseconds since `start_tick`, ">" for
/// sent or "<" for received, the bytes in hex, the command and the note:
/// "     101 < 09 fd 01 00 00 00 01 00 f8  Identify".
std::string FormatFrame(std::uint32_t start_tick, std::uint32_t tick, FrameDirection direction,
                        std::span<const std::uint8_t> bytes, std::uint8_t command,
                        std::string_view note);

/// The log as a text file, one frame a line, flushed line by line so that it
/// survives a crash. The first line ("# ...") says when it began.
class ExchangeLogFile final : public IExchangeLog {
 public:
  /// Opens `path` (appending when `append`, else from empty) and writes the
  /// heading `title`. Times count from `start_tick`.
  ExchangeLogFile(const std::filesystem::path& path, bool append, std::uint32_t start_tick,
                  std::string_view title);

  /// False when the file could not be opened or a line could not be
  /// written (a full disk); Problem() then says why. Nothing more is written.
  bool Ok() const { return ok_; }
  /// True once the file was opened, even when nothing could be written to it
  /// since: such a log is incomplete, not missing.
  bool Opened() const { return opened_; }
  const std::string& Problem() const { return problem_; }

  void Frame(std::uint32_t tick, FrameDirection direction, std::span<const std::uint8_t> bytes,
             std::uint8_t command, std::string_view note) noexcept override;

 private:
  void Flush();

  std::ofstream out_;
  std::uint32_t start_tick_;
  bool opened_ = false;
  bool ok_ = false;
  std::string problem_;
};

}  // namespace mk::link
