// The two device procedures: reading the MK's whole memory into the settings
// image, and writing the settings blocks of the image back into the MK.
#pragma once

#include <cstdint>
#include <optional>

#include "device/mk.h"
#include "link/progress.h"
#include "link/user_prompt.h"
#include "link/vl_rs.h"

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
};

/// Sends Identify to 252, 253 and 254 in turn, over and over, until one
/// answers (returned) or the user presses Cancel (nullopt).
std::optional<Connection> ConnectCycle(link::TVL_RS& rs, link::IProgress& progress,
                                       link::IPump& pump);

/// Connect cycle, then the whole memory into `mk`'s image and DeviceVersion
/// and its records (TMK::ReplaceImage). Link errors are thrown as mk::Error;
/// the model is then as it was.
TransferResult ReadSettings(link::TVL_RS& rs, TMK& mk, link::IProgress& progress, link::IPump& pump,
                            Connection* found = nullptr);

/// Connect, both version checks (errors shown through `prompt`), re-read, lay
/// the settings over the fresh image, write every directory block, and show
/// "Настройки записаны в МК". Link errors are thrown as mk::Error.
TransferResult WriteSettings(link::TVL_RS& rs, TMK& mk, link::IProgress& progress,
                             link::IPump& pump, link::IUserPrompt& prompt,
                             Connection* found = nullptr);

}  // namespace mk::device
