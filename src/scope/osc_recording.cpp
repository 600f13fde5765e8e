// SPDX-License-Identifier: GPL-3.0-or-later
#include "scope/osc_recording.h"

#include "device/mk.h"
#include "text/byte_io.h"

namespace mk::scope {

static_assert(kHeaderSize == device::kOscHeaderSize);
static_assert(kSampleCount == 2 * device::kOscSamplesPerPart);

OscRecording OscRecording::Of(const device::TMK& mk) {
  return {mk.OscHeader1(), mk.OscHeader2(), mk.OscSamples()};
}

int OscRecording::Level(std::span<const std::uint8_t, kHeaderSize> header) {
  return static_cast<std::int16_t>(bytes::ReadU16(header, kTriggerLevelOffset));
}

void SetTimeIndex(device::TMK& mk, int index) {
  mk.OscHeader1()[kTimeIndexOffset] = static_cast<std::uint8_t>(index);
}

void SetRangeIndex(device::TMK& mk, int index) {
  mk.OscHeader1()[kRangeIndexOffset] = static_cast<std::uint8_t>(index);
}

}  // namespace mk::scope
