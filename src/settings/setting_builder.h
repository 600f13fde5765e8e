// SPDX-License-Identifier: GPL-3.0-or-later
// How the settings table is written: chainable edits of the row just added.
// Only the files that hold the table's rows include this.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "settings/conversions.h"
#include "settings/setting.h"

namespace mk::settings::table {

using device::BlockId;

// Chainable edits of the row just added.
struct Row {
  Setting& s;
  Row Range(double min, double max, double step = 1) {
    s.min = min;
    s.max = max;
    s.step = step;
    return *this;
  }
  Row Step(double step) {
    s.step = step;
    return *this;
  }
  Row Decimals(int d) {
    s.decimals = d;
    return *this;
  }
  Row ButtonsOnly() {
    s.buttons_only = true;
    return *this;
  }
  Row Conv(Conversion c) {
    s.conversion = c;
    return *this;
  }
  Row From(ItemSource source) {
    s.source = source;
    return *this;
  }
  Row Hide(catalog::Features f) {
    s.hide_any = f;
    return *this;
  }
  Row Need(catalog::Features f) {
    s.need_all = f;
    return *this;
  }
  Row Needs(settings::Needs n) {
    s.needs = n;
    return *this;
  }
  Row When(settings::Rule r) {
    s.rule = r;
    return *this;
  }
  Row Varies(settings::Vary v, AltShape alt = {}) {
    s.vary = v;
    s.alt = alt;
    return *this;
  }
  Row Disables(int first, int last, catalog::Features when) {
    s.disabled = {first, last, when};
    return *this;
  }
  Row MustDiffer(std::string_view other, std::string_view message) {
    s.check = {other, message};
    return *this;
  }
  Row Writes(Writer w) {
    s.writer = w;
    return *this;
  }
  // Drawn by the window itself; `widget` names what draws it when it has no widget of its own.
  Row Drawn(std::string_view widget = {}) {
    s.hand_drawn = true;
    s.widget = widget;
    return *this;
  }
  Row MaxFrom(std::string_view setting) {
    s.max_from = setting;
    return *this;
  }
  Row Offset(std::size_t byte) {
    s.offset = byte;
    return *this;
  }
  Row Cell(std::string_view row, std::string_view column) {
    s.row = row;
    s.column = column;
    return *this;
  }
  Row Element(std::size_t i) {
    s.index = i;
    return *this;
  }
  Row OptionGroup(std::size_t g) {
    s.option_group = g;
    return *this;
  }
  Row OnLeave() {
    s.on_leave = true;
    return *this;
  }
  Row ReadOnly() {
    s.read_only = true;
    return *this;
  }
  Row NamesRow() {
    s.names_row = true;
    return *this;
  }
  Row MaxLength(std::size_t n) {
    s.max_length = n;
    return *this;
  }
};

inline AltShape AltRange(double min, double max) {
  AltShape alt;
  alt.min = min;
  alt.max = max;
  return alt;
}

class Builder {
 public:
  Builder() { rows_.reserve(800); }

  void On(Page page, std::string_view group = {}) {
    page_ = page;
    group_ = group;
  }
  void Group(std::string_view group) { group_ = group; }

  Row Add(Kind kind, std::string_view name, std::string_view caption, BlockId block,
          std::string_view field) {
    Setting s;
    s.name = name;
    s.caption = caption;
    s.kind = kind;
    s.page = page_;
    s.group = group_;
    s.block = block;
    s.field = field;
    rows_.push_back(s);
    return Row{rows_.back()};
  }
  Row Spin(std::string_view name, std::string_view caption, BlockId block, std::string_view field,
           double min, double max) {
    return Add(Kind::Spin, name, caption, block, field).Range(min, max);
  }
  Row Radio(std::string_view name, std::string_view caption, BlockId block, std::string_view field,
            std::string_view items) {
    Row r = Add(Kind::Radio, name, caption, block, field);
    r.s.items = items;
    return r;
  }
  Row Combo(std::string_view name, std::string_view caption, BlockId block, std::string_view field,
            std::string_view items = {}) {
    Row r = Add(Kind::Combo, name, caption, block, field);
    r.s.items = items;
    return r;
  }
  Row Check(std::string_view name, std::string_view caption, BlockId block,
            std::string_view field) {
    return Add(Kind::Check, name, caption, block, field);
  }
  // A bit of a flag word, as a check box or as a two-choice radio group.
  Row FlagBit(std::string_view name, std::string_view caption, BlockId block,
              std::string_view field, int bit) {
    Row r = Add(Kind::FlagBit, name, caption, block, field);
    r.s.bit = bit;
    return r;
  }
  Row RadioBits(std::string_view name, std::string_view caption, BlockId block,
                std::string_view field, int bit, int count, std::string_view items) {
    Row r = Radio(name, caption, block, field, items);
    r.s.bit = bit;
    r.s.bit_count = count;
    return r;
  }

  // Minutes since midnight, 00:00 ... 23:59.
  Row Time(std::string_view name, std::string_view caption, BlockId block, std::string_view field) {
    return Add(Kind::Time, name, caption, block, field).Range(0, kLastMinute);
  }
  // Day numbers of the selectable dates; 0, no date, is always allowed.
  Row Date(std::string_view name, std::string_view caption, BlockId block, std::string_view field) {
    return Add(Kind::Date, name, caption, block, field)
        .Range(DayNumber(kEarliestDate), DayNumber(kLatestDate));
  }

  /// A name made at run time (numbered rows), kept for the program's life.
  static std::string_view Keep(std::string text);

  std::vector<Setting> Take() { return std::move(rows_); }

 private:
  std::vector<Setting> rows_;
  Page page_ = Page::Corrections;
  std::string_view group_;
};

constexpr BlockId kLimits = BlockId::Limits, kInfo = BlockId::ServiceInfo,
                  kFuel = BlockId::FuelSensor, kDisp = BlockId::Display, kJourn = BlockId::Journals,
                  kTotals = BlockId::Totals, kPark = BlockId::Parking, kServ = BlockId::Service,
                  kAlarm = BlockId::AlarmStyles, kCargo = BlockId::Cargo,
                  kTank = BlockId::TankCalibration;

/// The rows drawn by hand in the window: the tank page's values, screen
/// places, colours, hot menus, the show-display boxes and the block selection.
void DrawnSettings(Builder& b);

}  // namespace mk::settings::table
