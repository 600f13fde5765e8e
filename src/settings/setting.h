// SPDX-License-Identifier: GPL-3.0-or-later
// A setting as the editor sees it: one control of a page, described once.
// The editor's pages and `mkctl settings` are both built on these rows; the
// storage itself is the device model's field tables.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "catalog/variant.h"
#include "device/block_tables.h"
#include "settings/pages.h"

namespace mk::settings {

enum class Kind : std::uint8_t {
  Spin,     // a number with a range, step and decimals
  Radio,    // a group of choices
  Combo,    // a drop-down list
  Check,    // stores 1 or 0
  FlagBit,  // a check box that sets or clears one bit of a flag word
  Time,     // time of day, minutes since midnight
  Date,     // the MK's day number
  Text,     // a zero-terminated Windows-1251 text
  // Drawn by the window itself (grids, previews, palettes):
  Param,      // a screen place: a measured-parameter code, 0 for nothing
  Color,      // a colour word of a colour set, shown as red, green, blue 0 ... 31
  HotMenu,    // a hot-menu list: ten device-menu codes, 0 for an empty entry
  BlockList,  // the selected additional-system blocks
};

/// How a shown value becomes the stored one; the reverse fills the control.
enum class Conversion : std::uint8_t {
  Plain,        // stored = v
  Percent,      // a factor: stored = 1 + v / 100, shown with the 0.00001 nudge
  Times10,      // stored = v x 10
  Half,         // stored = v / 2
  Fifth,        // stored = v / 5
  Tenth,        // stored = v / 10
  IndexMinus1,  // stored = index - 1 (-1 "Запр.", 0 "Ручн.", n days)
  IndexPlus1,   // stored = index + 1 (the colour schemes 1 ... 4)
  ForsCoef,     // items 1, 2, 4; 1 and 2 select themselves, anything else "4"
  NonZero,      // two items: 0 selects the first, any other value the second
  AlarmFirst,   // AlarmModes[i] = first + 8 x repeat, this being the first
  AlarmRepeat,  // ... this being the repeat
  AlarmSingle,  // AlarmModes[i] = choice x 9
};

/// Where a choice control's items come from.
enum class ItemSource : std::uint8_t {
  Fixed,               // Setting::items, separated by '|'
  ProtocolSelectMeth,  // "Авт.", the variant's automatic methods, "Руч."
  Protocols,           // every entry of the protocol catalogue
  ProtType,            // option group Setting::index of the selected protocol entry
  TankMeth,            // "Расчетный", "ДУТ", and the ECU's level sensors
  ResetPeriod,         // "Ручн.", "1" ... "99"
  ResetPeriodForbid,   // "Запр.", "Ручн.", "1" ... "99"
  FlagSound,           // "Да", "Нет", "Замок", and "ОтГол" unless NoVoice
  VoiceModes,          // "О", "Н", "Б", "М", "Г"
};

/// What the selected protocol entry must offer for the control to be shown.
enum class Needs : std::uint8_t {
  Nothing,
  CoolantTemperature,
  ErrorReading,
  GearboxOil,
  EngineOil,
  FanOrHybrid,
  Hybrid,
  HybridAddCooling,
  SideLightsFromEcu,  // and the variant has no fixed side-light input
  BatteryFromEcu,
  Class1,
  Class1OrTruck,  // class 1, or class 14 with HasTruckOptions
  Class82,
  Cargo,  // class 14 (with the variant flag HasCargo)
};

/// Visibility that depends on the values of other controls.
enum class Rule : std::uint8_t {
  None,
  VirtualLock,      // ConfigFlags bit 0 set
  GabarPolarity,    // no fixed side-light input, and side lights not taken from the ECU
  ManualProtocol,   // "Руч." chosen in cbProtocolSelectMeth
  InjectorSources,  // RevolutionsMeth, GasMeth or ExpenseMeth not 0
  ProtTypeTitled,   // the protocol entry's option group has a title
  ProtocolParam,    // an x1 box: its bit numbers a parameter the protocol delivers (40 at most)
};

/// When a row takes its alternate shape (Setting::alt).
enum class Vary : std::uint8_t {
  None,
  ServiceKm,     // the variant flag ServiceKm
  Battery24V,    // the variant flag Is24V
  FanHybrid,     // the selected protocol entry drives a hybrid
  ProtTypeGroup  // always: the caption is the protocol entry's option group title
};

/// The shape a row takes while its Vary condition holds; parts left unset
/// keep the row's own.
struct AltShape {
  std::string_view caption;  // empty: the row's
  double min = 0, max = 0;   // both 0: the row's range
  double step = 0;           // 0: the row's step
  int decimals = -1;         // -1: the row's
  bool converts = false;     // true: `conversion` replaces the row's
  Conversion conversion = Conversion::Plain;
};

/// Items of a choice that a variant flag disables (shown greyed, never stored).
struct ItemRule {
  int first = -1, last = -1;
  catalog::Features when;
};

/// What a committed value must agree with besides its own range.
struct CrossCheck {
  std::string_view differs_from;  // a setting whose stored value this one must not equal
  std::string_view message;       // the refusal
};

/// How a committed choice reaches the image.
enum class Writer : std::uint8_t {
  Field,           // its field (or its bits), through the conversion
  SelectProtocol,  // selects the protocol entry: clears the sub-types, rebuilds the catalogues
  BlocksShow,      // stores the choice and selects the blocks it names
  ColorScheme,     // chooses the colour scheme: a preset not loaded is copied in
};

struct Setting {
  std::string_view name;     // the control's object name: "seVelocityCorr"
  std::string_view caption;  // as shown; for row members, the row's label
  Kind kind = Kind::Spin;
  Page page = Page::Corrections;
  std::string_view group;   // the group box it sits in ("" for none)
  std::string_view row;     // controls sharing a table row share this label
  std::string_view column;  // the column heading within such a table

  device::BlockId block = device::BlockId::Limits;
  std::string_view field;
  std::size_t index = 0;         // element of an array field
  std::size_t option_group = 0;  // ProtType: the protocol entry's option group
  int bit = -1;                  // first bit within a flag word; -1 for a whole field
  int bit_count = 1;

  double min = 0, max = 0, step = 1;
  int decimals = 0;
  bool buttons_only = false;
  Conversion conversion = Conversion::Plain;

  ItemSource source = ItemSource::Fixed;
  std::string_view items;  // "Физич.|Вирт."

  catalog::Features need_all;  // shown only when every one is set
  catalog::Features hide_any;  // hidden when any is set
  Needs needs = Needs::Nothing;
  Rule rule = Rule::None;
  Vary vary = Vary::None;
  AltShape alt;       // the shape while `vary` holds
  ItemRule disabled;  // items greyed for a variant
  CrossCheck check;   // agreement with another setting
  Writer writer = Writer::Field;
  bool hand_drawn = false;    // the window draws it (no settings panel places it)
  std::string_view widget;    // what draws it when not a widget of its own name
  std::string_view max_from;  // the range's maximum is this setting's stored value
  std::size_t offset = 0;     // byte within an element of a raw field (colour sets)

  bool names_row = false;      // a text the user names its table row with, in the row label's place
  bool on_leave = false;       // choice written back when the control loses the focus
  bool read_only = false;      // shows its value, never writes
  std::size_t max_length = 0;  // Text: characters
};

}  // namespace mk::settings
