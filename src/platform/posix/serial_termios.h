// SPDX-License-Identifier: GPL-3.0-or-later
// The MK's line settings in termios terms, apart from any device so that the
// mapping can be checked on its own (a pseudo-terminal ignores some of it).
#pragma once

#include <termios.h>

#include <cstdint>

namespace mk::platform {

/// Raw bytes, 8 data bits, no parity, two stop bits, receiver on, modem
/// status ignored, no flow control, reads that return at once. Speed is not
/// touched.
void MakeMkLine(termios& t);

/// The Windows DCB encodings: false when the value has no termios meaning
/// here, and `t` is left alone.
bool ApplyByteSize(termios& t, std::uint8_t bits);
/// 0 none, 1 odd, 2 even, 3 mark, 4 space.
bool ApplyParity(termios& t, std::uint8_t parity);
/// 0 one, 1 one and a half (two in termios, which the UART shortens with five
/// data bits), 2 two.
bool ApplyStopBits(termios& t, std::uint8_t stop_bits);

}  // namespace mk::platform
