// SPDX-License-Identifier: GPL-3.0-or-later
// Request frames for the virtual MK's tests, built the way the link builds them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace mk::sim::testing {

inline std::vector<std::uint8_t> Sealed(std::vector<std::uint8_t> frame) {
  frame[0] = static_cast<std::uint8_t>(frame.size());
  unsigned sum = 0;
  for (std::size_t i = 0; i + 1 < frame.size(); ++i) sum += frame[i];
  frame.back() = static_cast<std::uint8_t>(-sum);
  return frame;
}

/// [N, address, 1, 0, command, data..., checksum].
inline std::vector<std::uint8_t> Request(std::uint8_t address, std::uint8_t command,
                                         const std::vector<std::uint8_t>& data = {}) {
  std::vector<std::uint8_t> f{0, address, 1, 0, command};
  f.insert(f.end(), data.begin(), data.end());
  f.push_back(0);
  return Sealed(f);
}

inline std::vector<std::uint8_t> Words(std::initializer_list<std::uint16_t> words) {
  std::vector<std::uint8_t> out;
  for (auto w : words) {
    out.push_back(static_cast<std::uint8_t>(w));
    out.push_back(static_cast<std::uint8_t>(w >> 8));
  }
  return out;
}

/// WriteChunk data: index, count, then the bytes.
inline std::vector<std::uint8_t> Chunk(std::uint16_t index, const std::vector<std::uint8_t>& bytes,
                                       int count = -1) {
  auto d = Words({index, static_cast<std::uint16_t>(count < 0 ? bytes.size() : count)});
  d.insert(d.end(), bytes.begin(), bytes.end());
  return d;
}

inline bool SumsToZero(const std::vector<std::uint8_t>& frame) {
  unsigned sum = 0;
  for (auto b : frame) sum += b;
  return (sum & 0xFF) == 0;
}

}  // namespace mk::sim::testing
