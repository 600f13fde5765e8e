// SPDX-License-Identifier: GPL-3.0-or-later
// The measured parameters the MK can show: names and units in the lengths the
// screens need, sample texts for previews, ranges and number formats.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mk::catalog {

class TProtBase;

/// One measured parameter. Every parameter is a row of the table in
/// meas_param_table.cpp; `ClassName` keeps the parameter's traditional name.
struct TMeasParBase {
  std::string ClassName;
  std::uint8_t Code = 0;
  bool HasRange = false;
  std::int32_t GaugeKind = 0;  // 0 none, 1 or 2: pointer gauge it may be chosen for
  bool GraphCapable = false;
  std::int32_t SampleValue = 0;  // in units of 10^-Decimals
  std::int32_t MinValue = 0;
  std::int32_t MaxValue = 100;
  std::int32_t ScaleMin = 0;
  std::int32_t ScaleMax = 100;
  std::int32_t Width = 3;
  std::int32_t Decimals = 0;
  std::string Name;
  std::string SampleText;  // always with a full stop
  std::string LongName;
  std::string MinText;  // filled by PrepareData
  std::string MaxText;  // filled by PrepareData
  std::string ShortName;
  std::string Unit;
  std::string Name2;
  std::string Unit2;
  std::string Name3;
  std::string Name4;
  std::string Unit3;
  std::string Caption;
  bool HasAltScale = false;
  bool AltScale = false;
  // The wider range switched on by PrepareData when HasAltScale is set.
  std::int32_t AltMaxValue = 0;
  std::int32_t AltScaleMax = 0;

  /// Switches to the wider range where there is one, then fills MinText and
  /// MaxText with `decimal_separator` (the system's). Idempotent.
  void PrepareData(std::string_view decimal_separator);
};

/// Length of a preview bar of `length` cells for `value`:
/// length*(value-MinValue)/(MaxValue-MinValue), integer division, clamped to
/// 0..length; 0 when the range is empty.
int BarLength(const TMeasParBase& p, int length, std::int32_t value);

/// `value` / 10^decimals in fixed-point with `decimals` digits after
/// `separator`; a plain integer when decimals is 0.
std::string FormatFixed(std::int64_t value, int decimals, std::string_view separator);

/// Which screen a choice menu is for.
enum class ChoiceKind { All, Graph, Gauge1, Gauge2 };

struct ChoiceItem {
  std::uint8_t code = 0;
  std::string name;
  bool checked = false;
};

/// The catalogue of measured parameters in build order.
class MeasParamCatalogue {
 public:
  /// Rebuilds from scratch. `lights_on_menu` and `dipped_beam` are the two
  /// capability flags that decide codes 11 and 34.
  void Build(bool lights_on_menu, bool dipped_beam);

  const std::vector<TMeasParBase>& Items() const { return items_; }
  /// The first parameter with this code, or nullptr.
  const TMeasParBase* FindByCode(std::uint8_t code) const;
  /// Runs PrepareData on every parameter.
  void PrepareData(std::string_view decimal_separator);

  /// The editor's choice menu for a screen slot: the parameters of `protocol`'s
  /// code list, in that order, filtered by `kind`; the item whose code equals
  /// `current_code` is checked.
  std::vector<ChoiceItem> ChoiceMenu(const TProtBase& protocol, ChoiceKind kind,
                                     std::uint8_t current_code) const;

 private:
  std::vector<TMeasParBase> items_;
};

}  // namespace mk::catalog
