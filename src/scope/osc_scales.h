// SPDX-License-Identifier: GPL-3.0-or-later
// The oscilloscope's scales: time per division, volts per division, the input
// divider, and what one sample and one pixel stand for. Every index is checked
// against its table; one out of its table is a range error.
#pragma once

#include <string>

namespace mk::scope {

inline constexpr int kTimeScales = 10;
inline constexpr int kRanges = 3;
inline constexpr int kDividers = 3;

/// Pixels of one division, both ways; one sample is one pixel at the scale
/// the recording was taken at.
inline constexpr int kDivision = 32;
/// The sample the MK triggered at: the 32 before it are what led up to it.
inline constexpr int kTriggerSample = 32;
/// The MK's scale constant: a sample unit is 8 × this × the range factor
/// volts at its input stage (0.0096774 V at factor 1).
inline constexpr double kVoltsPerUnit = 0.0012096774193548388;

/// "мс/деление" captions as the time-scale group lists them, without padding.
extern const char* const kTimeItems[kTimeScales];
/// The divider group's items.
extern const char* const kDividerItems[kDividers];

/// The scales of one recording at one moment, looked up and checked.
struct OscScales {
  int base_rate = 0;              // divisions per second when the recording was taken
  int rate = 0;                   // divisions per second of the time scale shown now
  double volts_per_division = 0;  // at the MK's input stage
  int range_factor = 1;
  double divider_factor = 1;
  std::string time_caption;  // with its leading spaces, as drawn
  std::string volt_caption;

  /// Throws mk::RangeError naming the index when a time index is above 9 or
  /// the range or divider index above 2.
  static OscScales For(int base_time_index, int time_index, int range_index, int divider_index);

  /// Horizontal pixels per sample: 1 at the opening scale, less for more time
  /// per division.
  double Sx() const { return static_cast<double>(rate) / base_rate; }
  /// Sample units per 256 pixels.
  double Sy() const { return volts_per_division / range_factor / kVoltsPerUnit; }
  /// Milliseconds between two samples.
  double SamplePeriodMs() const { return 1000.0 / base_rate / kDivision; }
  /// Volts at the MK's input (before its divider) of a sample value.
  double InputVolts(int sample) const {
    return sample * kVoltsPerUnit * 8 * range_factor / divider_factor;
  }
};

/// `index` when it names one of the ten time scales; mk::RangeError otherwise.
int CheckedTimeIndex(int index);

/// The three volt captions of a divider index, with their leading spaces;
/// mk::RangeError above 2.
const char* VoltCaption(int divider_index, int range_index);

/// The range factor: 1 for index 0, 2 for index 1, 4 for any other value.
int RangeFactor(int range_index);

/// `value` with `decimals` digits after `separator`, halves away from zero.
std::string FormatFixed(double value, int decimals, char separator);

/// Rounds to the nearest integer, halves to the even neighbour.
int RoundHalfEven(double value);

}  // namespace mk::scope
