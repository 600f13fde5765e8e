// SPDX-License-Identifier: GPL-3.0-or-later
// The two device procedures: reading the MK's whole memory into the settings
// image, and writing the settings blocks of the image back into the MK.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "device/mk.h"
#include "link/progress.h"
#include "link/user_prompt.h"
#include "link/vl_rs.h"
#include "text/error.h"

namespace mk::device {

/// What the connect cycle found.
struct Connection {
  std::uint8_t DeviceAddress = 0;  // 252, 253 or 254
  std::uint32_t MemorySize = 0;    // 8192 or 32768
  std::uint16_t DeviceVersion = 0;
};

enum class TransferResult {
  Done,
  Cancelled,  // the user pressed Cancel while connecting
  Refused,    // a version check failed; the message has been shown, nothing was written
  Unchanged,  // the changes chosen at the question are all in the MK already: said so, nothing sent
};

/// True for the addresses an MK answers at: 252, 253 and 254.
bool IsMkAddress(long address);

/// Sends Identify to 252, 253 and 254 in turn, over and over, until one
/// answers (returned) or the user presses Cancel (nullopt). A `first_guess`
/// of 252, 253 or 254 (the address that answered last time on this port) is
/// asked once before them, without retries: a wrong guess costs one time-out.
std::optional<Connection> ConnectCycle(link::TVL_RS& rs, link::IProgress& progress,
                                       link::IPump& pump, std::uint8_t first_guess = 0);

/// Connect cycle, then the whole memory into `mk`'s image and DeviceVersion
/// and its records (TMK::ReplaceImage). Link errors are thrown as mk::Error;
/// the model is then as it was. `found`, when given, brings the connect
/// cycle's first guess (its DeviceAddress) and takes what the cycle found.
TransferResult ReadSettings(link::TVL_RS& rs, TMK& mk, link::IProgress& progress, link::IPump& pump,
                            Connection* found = nullptr);

/// The safety net around a write.
struct WriteOptions {
  /// Saves the MK's memory as read just before the write (its device version
  /// and image) and returns where it went. Throws mk::Error saying why when it
  /// cannot; then nothing is written. Empty: no backup is made.
  std::function<std::filesystem::path(std::uint16_t, std::span<const std::uint8_t>)> backup;
  /// Reads back every written block and compares it with what was sent.
  bool verify = true;
  /// Asked once the MK's memory is read and the settings laid over it, before
  /// the backup and the first BeginWrite: `fresh` is the MK as it is now,
  /// `to_write` what it will hold. False ends the write with nothing sent
  /// (TransferResult::Cancelled) and the model as it was. Empty: no question.
  /// The answer may narrow `to_write` (only some of the changes ticked); when
  /// what is left is what the MK holds already, the write says so and sends
  /// nothing (TransferResult::Unchanged).
  std::function<bool(const TMK& fresh, TMK& to_write)> confirm;
};

/// A write that failed after its first BeginWrite: the MK now holds part of
/// the new settings. what() is the whole message for the user: the link's (or
/// the check's) text, then which blocks were written and where the backup is.
class PartialWriteError : public Error {
 public:
  PartialWriteError(const std::string& message, std::string cause, std::vector<int> written)
      : Error(message), cause_(std::move(cause)), written_(std::move(written)) {}
  /// The link's text, or the verification's.
  const std::string& Cause() const { return cause_; }
  /// Directory entries whose EndWrite the MK confirmed, in order.
  const std::vector<int>& Written() const { return written_; }

 private:
  std::string cause_;
  std::vector<int> written_;
};

/// Connect (`found` as for ReadSettings), both version checks and the check
/// that the settings' block directory is the MK's (errors shown through
/// `prompt`), re-read, the backup of what was read, lay the settings over the
/// fresh image, write every directory block, read them back, and show
/// "Настройки записаны в МК". Link
/// errors before the first BeginWrite are thrown as mk::Error, after it as
/// PartialWriteError; a failed backup throws mk::Error and sends nothing.
TransferResult WriteSettings(link::TVL_RS& rs, TMK& mk, link::IProgress& progress,
                             link::IPump& pump, link::IUserPrompt& prompt,
                             Connection* found = nullptr, const WriteOptions& options = {});

}  // namespace mk::device
