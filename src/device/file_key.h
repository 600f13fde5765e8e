// SPDX-License-Identifier: GPL-3.0-or-later
// The key that scrambles settings files. Fixed for good: files made with
// another table cannot be exchanged with ours.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace mk::device {

inline constexpr std::size_t kFileKeySize = 4096;

/// 4096 bytes made once by the rule below and kept as a table, so that
/// nobody can change the file format by "improving" the generator:
///   x = 0x4D4B2019; for each i: x ^= x << 13; x ^= x >> 17; x ^= x << 5
///   (xorshift32, 32-bit arithmetic); FileKey[i] = x >> 24.
extern const std::array<std::uint8_t, kFileKeySize> kFileKey;

}  // namespace mk::device
