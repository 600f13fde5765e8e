// SPDX-License-Identifier: GPL-3.0-or-later
// The error journal of the ErrorJournal block: seven error records with an
// OBD freeze frame each, and the PID support bitmap that says which values a
// freeze frame holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "journal/error_code.h"
#include "journal/text_grid.h"

namespace mk::device {
class TMK;
}

namespace mk::journal {

/// How the error journal shows codes: the selected protocol's error-code
/// format and the options formats 7 to 9 depend on.
struct ErrorCodeStyle {
  std::int32_t format = 0;
  ProtocolOptions options;
  /// The protocol's name, for codes that are not OBD-II codes.
  std::string protocol;
};

/// The style of the MK's selected protocol, from a protocol catalogue built
/// for the model's DeviceVersion, Protocol and FirmwareVersion (so it is right
/// after a read even before the editor rebuilt the model's own). A protocol
/// the catalogue does not hold shows codes as empty texts.
ErrorCodeStyle CurrentErrorCodeStyle(const device::TMK& mk);

/// What a code means as `style` shows it: an OBD-II code (P, C, B or U) its
/// description from the catalogue of trouble codes; a code of the protocol's
/// own format "Код в формате протокола <name>: описания нет"; a code that
/// shows as an empty text, an empty text.
std::string DescribeErrorCode(std::uint32_t code, const ErrorCodeStyle& style);

/// Whether PID `pid` (1 to 96) is present in the 12-byte support bitmap: bit
/// 7 - ((pid - 1) mod 8) of byte (pid - 1) div 8. Any other PID never is.
bool PidSupported(std::span<const std::uint8_t> pid_map, int pid);

/// The error grid's date cell: the hour neither reduced nor padded.
std::string ErrorDate(std::uint16_t minutes, std::uint8_t day, std::uint8_t month);

std::string FuelSystemState(std::uint8_t state);
std::string SecondaryAirState(std::uint16_t state);

/// The error grid (one row a record of device::kErrorRecords): headers "#", "Время", "Код ошибки",
/// "Описание", then rows "0" to "6" with the date, code and its description of each slot whose
/// error code is not 0.
TextGrid ErrorGrid(std::span<const std::uint8_t> error_journal, const ErrorCodeStyle& style);

/// Clears the error journal in the model: the model's own clearing (the PID
/// bitmap, and the date and error code of every record), and the freeze-frame
/// code as well, so that no freeze frame of an erased error is left to show.
void ClearErrorJournal(device::TMK& mk);

/// The freeze frame of error slot `slot`: nothing when its freeze-frame code
/// is 0; else "Код ошибки" with that code in format 0, the code's description
/// alone in the caption column (no value), then a line for each supported PID. A slot the block is
/// too short to hold has no lines.
std::vector<CaptionedValue> FreezeFrameLines(std::span<const std::uint8_t> error_journal,
                                             std::size_t slot, std::string_view separator);

}  // namespace mk::journal
