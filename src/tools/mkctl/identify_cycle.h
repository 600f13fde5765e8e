// SPDX-License-Identifier: GPL-3.0-or-later
// The connect cycle of a tool: like the program's, but ended by a deadline
// instead of a Cancel button.
#pragma once

#include <cstdint>

#include "device/transfer.h"
#include "link/clock.h"
#include "link/vl_rs.h"

namespace mk::tools {

/// Sends Identify to 252, 253 and 254 in turn (100 ms response time-out) until
/// one answers or `timeout_ms` has passed; then throws mk::Error with the last
/// link error's text (the no-link text when the MK stays silent). A
/// `first_guess` of 252, 253 or 254 is asked once before them, without retries.
device::Connection IdentifyWithin(link::TVL_RS& rs, link::IClock& clock, std::uint32_t timeout_ms,
                                  std::uint8_t first_guess = 0);

}  // namespace mk::tools
