// SPDX-License-Identifier: GPL-3.0-or-later
// How the tables of trouble codes are written: a row by its code's name, and
// the runs that follow one pattern (a circuit's five faults, one row a
// cylinder) generated from it. Each table file adds its own ranges.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/trouble_codes.h"

namespace mk::catalog::rows {

class RowSink {
 public:
  explicit RowSink(std::vector<TroubleCodeRow>& rows) : rows_(rows) {}

  /// One row; `code` is written as a driver reads it ("P0301").
  void Add(std::string_view code, std::string text);
  /// Rows from `first` on, one a text.
  void Run(std::string_view first, std::initializer_list<std::string_view> texts);
  void Run(std::string_view first, const std::vector<std::string>& texts);
  /// The five faults of a sensor's circuit from `first` on: the circuit, its
  /// range, low, high and an unsteady signal.
  void Circuit5(std::string_view first, std::string_view part);
  /// The four faults of a controlled circuit from `first` on: open, range,
  /// low, high.
  void Control4(std::string_view first, std::string_view part);
  /// Open, low, high of a controlled circuit.
  void Control3(std::string_view first, std::string_view part);
  /// The five faults of a transmission solenoid from `first` on: a fault,
  /// stuck off, stuck on, electrical, unsteady.
  void Solenoid5(std::string_view first, std::string_view part);
  /// `count` rows from `first` on, the n-th with "#" in `pattern` replaced by
  /// `from` + n.
  void Numbered(std::string_view first, int count, std::string_view pattern, int from = 1);
  /// The same fault once a letter of `letters`, the letter between `before`
  /// and `after`.
  void Lettered(std::string_view first, std::string_view letters, std::string_view before,
                std::string_view after);

  /// What goes wrong with a sensor's signal.
  enum class Fault { Circuit, Range, Low, High, Erratic };
  /// The faults of a sensor's circuit in the order the standard numbers
  /// them, which later codes do not keep to Circuit5's.
  void Faults(std::string_view first, std::string_view part, std::initializer_list<Fault> faults);

 private:
  std::vector<TroubleCodeRow>& rows_;
};

/// The texts of Control4 and Solenoid5, for runs the standard breaks up.
std::vector<std::string> ControlTexts(std::string_view part);
std::vector<std::string> SolenoidTexts(std::string_view part);

/// The tables, one a file.
void AddPowertrain00(RowSink& sink);  // P0000-P0299
void AddPowertrain03(RowSink& sink);  // P0300-P0699
void AddPowertrain07(RowSink& sink);  // P0700-P0999
void AddPowertrain20(RowSink& sink);  // P2000-P2499
void AddPowertrain25(RowSink& sink);  // P2500-P2999, P3400-P34FF
void AddNetwork(RowSink& sink);       // U0000-U02FF
void AddNetwork03(RowSink& sink);     // U0300-U05FF
void AddBodyChassis(RowSink& sink);   // B0xxx, C0xxx

}  // namespace mk::catalog::rows
