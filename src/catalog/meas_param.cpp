// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/meas_param.h"

#include <algorithm>
#include <cstdlib>

#include "catalog/meas_param_table.h"
#include "catalog/protocol.h"

namespace mk::catalog {
namespace {

std::int64_t Pow10(int n) {
  std::int64_t p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

std::string PadLeft(std::string s, int width) {
  if (static_cast<int>(s.size()) < width)
    s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
  return s;
}

TMeasParBase FromRow(const ParamRow& r) {
  TMeasParBase p;
  p.ClassName = r.class_name;
  p.Code = r.code;
  p.HasRange = r.has_range;
  p.GaugeKind = r.gauge_kind;
  p.GraphCapable = r.graph_capable;
  p.SampleValue = r.sample_value;
  p.MinValue = r.min_value;
  p.MaxValue = r.max_value;
  p.ScaleMin = r.scale_min;
  p.ScaleMax = r.scale_max;
  p.Width = r.width;
  p.Decimals = r.decimals;
  p.Name = r.name;
  p.LongName = r.long_name;
  p.ShortName = r.short_name;
  p.Unit = r.unit;
  p.Name2 = r.name2;
  p.Unit2 = r.unit2;
  p.Name3 = r.name3;
  p.Name4 = r.name4;
  p.Unit3 = r.unit3;
  p.Caption = r.caption;
  p.HasAltScale = r.alt_max_value != 0;
  p.AltMaxValue = r.alt_max_value;
  p.AltScaleMax = r.alt_scale_max;
  // A new parameter starts on its narrow range; PrepareData widens it.
  const int sample_width = r.sample_width != 0 ? r.sample_width : r.width;
  switch (r.sample_kind) {
    case SampleKind::kInteger:
      p.SampleText = PadLeft(std::to_string(r.sample_value), sample_width);
      break;
    case SampleKind::kDecimal:
      p.SampleText = PadLeft(FormatFixed(r.sample_value, r.decimals, "."), sample_width);
      break;
    case SampleKind::kFixed:
      p.SampleText = r.fixed_sample;
      break;
  }
  return p;
}

bool Included(ParamCondition c, bool lights_on_menu, bool dipped_beam) {
  switch (c) {
    case ParamCondition::kAlways:
      return true;
    case ParamCondition::kWithLightsMenu:
      return lights_on_menu && dipped_beam;
    case ParamCondition::kWithoutLightsMenu:
      return !(lights_on_menu && dipped_beam);
    case ParamCondition::kDippedBeamOnly:
      return !lights_on_menu && dipped_beam;
  }
  return false;
}

}  // namespace

std::string FormatFixed(std::int64_t value, int decimals, std::string_view separator) {
  if (decimals <= 0) return std::to_string(value);
  const std::int64_t scale = Pow10(decimals);
  const std::uint64_t magnitude =
      value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
  std::string frac = std::to_string(magnitude % static_cast<std::uint64_t>(scale));
  frac.insert(0, static_cast<std::size_t>(decimals) - frac.size(), '0');
  std::string out = value < 0 ? "-" : "";
  out += std::to_string(magnitude / static_cast<std::uint64_t>(scale));
  out += separator;
  out += frac;
  return out;
}

void TMeasParBase::PrepareData(std::string_view decimal_separator) {
  if (HasAltScale) {
    AltScale = true;
    MaxValue = AltMaxValue;
    ScaleMin = 0;
    ScaleMax = AltScaleMax;
  }
  MinText = FormatFixed(MinValue, Decimals, decimal_separator);
  MaxText = FormatFixed(MaxValue, Decimals, decimal_separator);
}

int BarLength(const TMeasParBase& p, int length, std::int32_t value) {
  const std::int64_t span = std::int64_t{p.MaxValue} - p.MinValue;
  if (span == 0 || length <= 0) return 0;
  const std::int64_t bar = std::int64_t{length} * (std::int64_t{value} - p.MinValue) / span;
  return static_cast<int>(std::clamp<std::int64_t>(bar, 0, length));
}

void MeasParamCatalogue::Build(bool lights_on_menu, bool dipped_beam) {
  items_.clear();
  for (const ParamRow& r : ParamRows()) {
    if (Included(r.condition, lights_on_menu, dipped_beam)) items_.push_back(FromRow(r));
  }
}

const TMeasParBase* MeasParamCatalogue::FindByCode(std::uint8_t code) const {
  for (const auto& p : items_) {
    if (p.Code == code) return &p;
  }
  return nullptr;
}

void MeasParamCatalogue::PrepareData(std::string_view decimal_separator) {
  for (auto& p : items_) p.PrepareData(decimal_separator);
}

std::vector<ChoiceItem> MeasParamCatalogue::ChoiceMenu(const TProtBase& protocol, ChoiceKind kind,
                                                       std::uint8_t current_code) const {
  std::vector<ChoiceItem> menu;
  for (std::uint8_t code : protocol.ParamCodes) {
    const TMeasParBase* p = FindByCode(code);
    if (p == nullptr) continue;
    const bool fits = kind == ChoiceKind::All      ? true
                      : kind == ChoiceKind::Graph  ? p->GraphCapable
                      : kind == ChoiceKind::Gauge1 ? p->GaugeKind == 1
                                                   : p->GaugeKind == 2;
    if (fits) menu.push_back({code, p->Name, code == current_code});
  }
  return menu;
}

}  // namespace mk::catalog
