// SPDX-License-Identifier: GPL-3.0-or-later
#include "scope/osc_text.h"

#include <cstdint>
#include <span>

#include "device/atomic_file.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/utf8_path.h"

namespace mk::scope {
namespace {

// Samples are 1/64 ms apart at the finest scale: six places show every time exactly.
constexpr int kTimeDecimals = 6;
constexpr int kVoltDecimals = 4;
constexpr const char* kHeaderLine = "Отсчёт\tВремя, мс\tНапряжение, В\r\n";

// Fixed point without the zeros that carry nothing ("-0.5", "12", "0.015625").
std::string Trimmed(double value, int decimals, char separator) {
  std::string text = FormatFixed(value, decimals, separator);
  if (decimals == 0) return text;
  while (text.back() == '0') text.pop_back();
  if (text.back() == separator) text.pop_back();
  return text;
}

struct SampleTexts {
  std::string time, volts;
};

SampleTexts TextsOf(const OscRecording& rec, const OscScales& scales, int index, char separator) {
  return {Trimmed(SampleTimeMs(scales, index), kTimeDecimals, separator),
          FormatFixed(scales.InputVolts(rec.samples[static_cast<std::size_t>(index)]),
                      kVoltDecimals, separator)};
}

}  // namespace

double SampleTimeMs(const OscScales& scales, int index) {
  return (index - kTriggerSample) * scales.SamplePeriodMs();
}

std::string TraceText(const OscRecording& rec, const OscView& view) {
  const OscScales scales = OscScales::For(view.base_time_index, view.base_time_index,
                                          rec.RangeIndex(), rec.DividerIndex2());
  std::string text = kHeaderLine;
  text.reserve(kSampleCount * 24);
  for (int i = 0; i < static_cast<int>(kSampleCount); ++i) {
    const SampleTexts t = TextsOf(rec, scales, i, view.decimal_separator);
    text += std::to_string(i);
    text += '\t';
    text += t.time;
    text += '\t';
    text += t.volts;
    text += "\r\n";
  }
  return text;
}

void SaveTraceText(const std::filesystem::path& path, const OscRecording& rec,
                   const OscView& view) {
  const std::string bytes = text::Utf8ToCp1251(TraceText(rec, view));
  device::WriteFileAtomically(
      path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
      "Не удалось записать файл «" + text::PathText(path) + "».");
}

std::string PointerReadout(const OscRecording& rec, const OscView& view, int x) {
  OscScales scales;
  try {
    scales = ScalesOf(rec, view);
  } catch (const RangeError&) {
    return {};
  }
  const int index = SampleAtX(scales, view.offset, x);
  if (index < 0) return {};
  const SampleTexts t = TextsOf(rec, scales, index, view.decimal_separator);
  return "Отсчёт " + std::to_string(index) + ": " + t.time + " мс, " + t.volts + " В";
}

}  // namespace mk::scope
