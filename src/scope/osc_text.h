// SPDX-License-Identifier: GPL-3.0-or-later
// The oscilloscope trace as text: the file the viewer saves and mkctl writes,
// and the readout of the sample under the pointer.
#pragma once

#include <filesystem>
#include <string>

#include "scope/osc_drawing.h"
#include "scope/osc_recording.h"

namespace mk::scope {

/// Milliseconds of sample `index` from the trigger (sample 32); negative before it.
double SampleTimeMs(const OscScales& scales, int index);

/// A header line and one line per sample: its index, its time in
/// milliseconds and its voltage at the MK's input, tab-separated, each line
/// ended by CR LF. The time comes from the scale the recording was taken at
/// (`view.base_time_index`), the voltage from part 1's range and part 2's
/// divider. UTF-8; mk::RangeError for an index out of its table.
std::string TraceText(const OscRecording& rec, const OscView& view);

/// TraceText in Windows-1251, saved atomically to `path`; mk::Error with the
/// path when it cannot be written.
void SaveTraceText(const std::filesystem::path& path, const OscRecording& rec, const OscView& view);

/// What lies under horizontal pixel `x` of the picture: "Отсчёт N: T мс, U В",
/// or empty when no sample is drawn there or the scales are out of their tables.
std::string PointerReadout(const OscRecording& rec, const OscView& view, int x);

}  // namespace mk::scope
