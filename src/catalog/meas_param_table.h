// SPDX-License-Identifier: GPL-3.0-or-later
// The rows the measured-parameter catalogue is built from.
#pragma once

#include <cstdint>
#include <span>

namespace mk::catalog {

/// When a row takes part in the catalogue, by the two lights capabilities.
enum class ParamCondition : std::uint8_t {
  kAlways,
  kWithLightsMenu,     // lights-on menu and dipped-beam control both set
  kWithoutLightsMenu,  // the opposite of kWithLightsMenu
  kDippedBeamOnly,     // dipped-beam control set, lights-on menu clear
};

/// How the sample text is made: SampleValue as an integer, SampleValue as a
/// decimal with Decimals digits, or a fixed text.
enum class SampleKind : std::uint8_t { kInteger, kDecimal, kFixed };

struct ParamRow {
  ParamCondition condition;
  const char* class_name;
  std::uint8_t code;
  const char* name;
  const char* long_name;
  const char* short_name;
  const char* unit;
  SampleKind sample_kind;
  std::int32_t sample_value;
  const char* fixed_sample;
  std::int32_t min_value, max_value;
  std::int32_t scale_min, scale_max;
  std::int32_t width, decimals;
  bool graph_capable;
  std::int32_t gauge_kind;
  bool has_range;
  const char* name2;
  const char* unit2;
  const char* name3;
  const char* name4;
  const char* unit3;
  const char* caption;
  std::int32_t sample_width;  // 0: Width
  // The wider range, when the parameter has one (0: none).
  std::int32_t alt_max_value, alt_scale_max;
};

/// Every parameter row, in build order.
std::span<const ParamRow> ParamRows();

}  // namespace mk::catalog
