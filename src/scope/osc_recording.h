// SPDX-License-Identifier: GPL-3.0-or-later
// The oscilloscope recording as the viewer reads it: two 8-byte headers and
// 1024 samples, a view over bytes that live elsewhere (the device model, a
// fuzzer's input).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace mk::device {
class TMK;
}

namespace mk::scope {

inline constexpr std::size_t kHeaderSize = 8;
inline constexpr std::size_t kSampleCount = 1024;

/// Header offsets. Bytes 1-3 are not the viewer's and are carried unchanged.
inline constexpr std::size_t kTimeIndexOffset = 0;
inline constexpr std::size_t kTriggerLevelOffset = 4;  // s16, tenths of a volt
inline constexpr std::size_t kRangeIndexOffset = 6;
inline constexpr std::size_t kDividerIndexOffset = 7;

struct OscRecording {
  std::span<const std::uint8_t, kHeaderSize> header1;
  std::span<const std::uint8_t, kHeaderSize> header2;
  std::span<const std::uint8_t, kSampleCount> samples;

  static OscRecording Of(const device::TMK& mk);

  // Part 1's header carries the time scale, the range and the level of the
  // marker; part 2's the divider of the captions and the level as text.
  int TimeIndex() const { return header1[kTimeIndexOffset]; }
  int RangeIndex() const { return header1[kRangeIndexOffset]; }
  int DividerIndex1() const { return header1[kDividerIndexOffset]; }
  int DividerIndex2() const { return header2[kDividerIndexOffset]; }
  int TriggerLevel1() const { return Level(header1); }
  int TriggerLevel2() const { return Level(header2); }

 private:
  static int Level(std::span<const std::uint8_t, kHeaderSize> header);
};

/// Stores a time-scale index in the model's part 1 header (never in the image).
void SetTimeIndex(device::TMK& mk, int index);
/// Stores a range index in the model's part 1 header.
void SetRangeIndex(device::TMK& mk, int index);

}  // namespace mk::scope
