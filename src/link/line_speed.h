// SPDX-License-Identifier: GPL-3.0-or-later
// The MK's serial line has one speed: 115200 baud, 8 data bits, no parity and
// two stop bits, so a byte takes 11 bit times on the wire with its start bit.
#pragma once

#include <cstdint>

namespace mk::link {

inline constexpr std::uint32_t kLineBaud = 115200;
inline constexpr std::uint32_t kLineBitsPerByte = 11;

}  // namespace mk::link
