// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/setting_value.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "device/field_paths.h"
#include "device/value_rules.h"
#include "settings/color_schemes.h"
#include "settings/conversions.h"
#include "settings/drawn_values.h"
#include "settings/lists.h"
#include "settings/page_rules.h"
#include "settings/setting_table.h"
#include "text/error.h"

namespace mk::settings {

namespace {

using catalog::Feature;
using device::BlockId;
using device::FieldType;

const device::FieldDef& FieldOf(const Setting& s, const device::TMK& mk) {
  return mk.Rec(s.block).Field(s.field);
}

bool IsBits(const Setting& s) {
  return s.bit >= 0;
}

// Flag words, and one byte of a raw field: byte 0 of BlocksMask carries the
// page's choices, a colour set its element colours.
std::uint64_t ReadWord(const Setting& s, const device::TMK& mk) {
  const device::Record& rec = mk.Rec(s.block);
  const device::FieldDef& f = FieldOf(s, mk);
  if (f.type == FieldType::Bytes) return rec.Element(f, s.index)[s.offset];
  return static_cast<std::uint64_t>(rec.GetInt(f, s.index));
}

void WriteWord(const Setting& s, device::TMK& mk, std::uint64_t word) {
  device::Record& rec = mk.Rec(s.block);
  const device::FieldDef& f = FieldOf(s, mk);
  if (f.type == FieldType::Bytes) {
    rec.Element(f, s.index)[s.offset] = static_cast<std::uint8_t>(word);
    return;
  }
  rec.SetInt(f, static_cast<std::int64_t>(word), s.index);
}

std::int64_t ReadStored(const Setting& s, const device::TMK& mk) {
  if (IsBits(s)) return static_cast<std::int64_t>(GetBits(ReadWord(s, mk), s.bit, s.bit_count));
  if (FieldOf(s, mk).type == FieldType::Bytes) return static_cast<std::int64_t>(ReadWord(s, mk));
  return mk.Rec(s.block).GetInt(FieldOf(s, mk), s.index);
}

// A control whose range goes below zero over an unsigned field keeps its
// negative values in two's complement, as the MK reads them.
bool Wraps(const Setting& s, const device::FieldDef& f) {
  return s.min < 0 && device::MinValue(f.type) == 0 && f.type != FieldType::F32;
}

std::int64_t Modulus(const device::FieldDef& f) {
  return std::int64_t{1} << (8 * f.elem_size);
}

[[noreturn]] void RefuseRange(const Setting& s, const device::TMK& mk, const Env& env) {
  const Shape shape = ShapeOf(s, mk, env);
  throw RangeError("Значение настройки «" + DisplayName(s, env) + "» должно быть от " +
                   FormatNumber(shape.min, shape.decimals, '.') + " до " +
                   FormatNumber(shape.max, shape.decimals, '.') + ".");
}

[[noreturn]] void NoSuchItem(const Setting& s, const Env& env) {
  throw RangeError("Настройка «" + DisplayName(s, env) + "» не имеет такого выбора.");
}

void RefuseReadOnly(const Setting& s, const Env& env) {
  if (s.read_only) throw Error("Настройку «" + DisplayName(s, env) + "» менять нельзя.");
}

// The group "Габариты" is offered: the entry reads the side lights and the
// variant's input is not fixed.
bool SideLightsFromEcu(const Env& env) {
  return env.protocol != nullptr && env.protocol->Capabilities.SideLightsFromEcu &&
         !env.Has(Feature::FixedGabarInput);
}

bool ProtocolHas(const Setting& s, const Env& env) {
  if (s.needs == Needs::Nothing) return true;
  if (env.protocol == nullptr) return false;
  const auto& c = env.protocol->Capabilities;
  switch (s.needs) {
    case Needs::Nothing:
      return true;
    case Needs::CoolantTemperature:
      return c.CoolantTemperature;
    case Needs::ErrorReading:
      return c.ErrorReading;
    case Needs::GearboxOil:
      return c.GearboxOilTemperature;
    case Needs::EngineOil:
      return c.EngineOilTemperature;
    case Needs::FanOrHybrid:
      return c.FanControl || c.HybridDrive;
    case Needs::Hybrid:
      return c.HybridDrive;
    case Needs::HybridAddCooling:
      return c.HybridDrive && c.AdditionalEngineCooling;
    case Needs::SideLightsFromEcu:
      return SideLightsFromEcu(env);
    case Needs::BatteryFromEcu:
      return c.BatteryVoltageFromEcu;
    case Needs::Class1:
      return c.VehicleClass == catalog::kVehicleWithGearboxWear;
    case Needs::Class1OrTruck:
      return c.VehicleClass == catalog::kVehicleWithGearboxWear ||
             (c.VehicleClass == catalog::kVehicleTruck && env.Has(Feature::HasTruckOptions));
    case Needs::Class82:
      return c.VehicleClass == catalog::kVehicleDieselFilter;
    case Needs::Cargo:
      return c.VehicleClass == catalog::kVehicleTruck;
  }
  return true;
}

// The rows the rules below read (settings, not raw words), each found once:
// a name the table lacks stops the first rule that asks, instead of reading 0.
const Setting& RuleInput(std::string_view name) {
  const Setting* s = FindSetting(name);
  if (s == nullptr)
    throw std::logic_error("a visibility rule reads no setting " + std::string(name));
  return *s;
}
struct RuleInputs {
  const Setting& lock_type = RuleInput("rgLockType");
  const Setting& gabar_type = RuleInput("rgGabarType");
  const Setting& protocol_select = RuleInput("cbProtocolSelectMeth");
  const Setting& revolutions_from = RuleInput("rgRevolutionsMeth");
  const Setting& gas_from = RuleInput("rgGasMeth");
  const Setting& expense_from = RuleInput("rgExpenseMeth");
};
const RuleInputs& Inputs() {
  static const RuleInputs kInputs;
  return kInputs;
}

bool RuleHolds(const Setting& s, const device::TMK& mk, const Env& env) {
  switch (s.rule) {
    case Rule::None:
      return true;
    case Rule::VirtualLock:
      return ReadStored(Inputs().lock_type, mk) != 0;
    case Rule::GabarPolarity:
      if (env.Has(Feature::FixedGabarInput)) return false;
      return !(ReadStored(Inputs().gabar_type, mk) != 0 && SideLightsFromEcu(env));
    case Rule::ManualProtocol:
      return ReadStored(Inputs().protocol_select, mk) ==
             static_cast<std::int64_t>(ProtocolSelectItems(env.features).size()) - 1;
    case Rule::InjectorSources:
      return ReadStored(Inputs().revolutions_from, mk) != 0 ||
             ReadStored(Inputs().gas_from, mk) != 0 || ReadStored(Inputs().expense_from, mk) != 0;
    case Rule::ProtTypeTitled:
      return !ProtTypeGroup(env, s.option_group).Caption.empty();
    case Rule::ProtocolParam:
      return env.protocol != nullptr &&
             s.index * 32 + static_cast<std::size_t>(s.bit) < env.protocol->ParamCodes.size();
  }
  return true;
}

std::vector<std::string> Split(std::string_view items) {
  std::vector<std::string> out;
  while (!items.empty()) {
    const auto bar = items.find('|');
    out.emplace_back(items.substr(0, bar));
    if (bar == std::string_view::npos) break;
    items.remove_prefix(bar + 1);
  }
  return out;
}

std::vector<std::string> Periods(bool forbid) {
  std::vector<std::string> items;
  if (forbid) items.emplace_back("Запр.");
  items.emplace_back("Ручн.");
  for (int day = 1; day <= 99; ++day) items.push_back(std::to_string(day));
  return items;
}

std::size_t Utf8Length(std::string_view text) {
  return static_cast<std::size_t>(std::ranges::count_if(
      text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

namespace {

bool VaryHolds(const Setting& s, const Env& env) {
  switch (s.vary) {
    case Vary::None:
      return false;
    case Vary::ServiceKm:
      return env.Has(Feature::ServiceKm);
    case Vary::Battery24V:
      return env.Has(Feature::Is24V);
    case Vary::FanHybrid:
      return env.protocol != nullptr && env.protocol->Capabilities.HybridDrive;
    case Vary::ProtTypeGroup:
      return true;
  }
  return false;
}

}  // namespace

Shape ShapeOf(const Setting& s, const Env& env) {
  Shape shape{std::string(s.caption), s.min, s.max, s.step, s.decimals, s.conversion};
  if (!VaryHolds(s, env)) return shape;
  const AltShape& alt = s.alt;
  if (!alt.caption.empty()) shape.caption = alt.caption;
  if (alt.min != 0 || alt.max != 0) {
    shape.min = alt.min;
    shape.max = alt.max;
  }
  if (alt.step != 0) shape.step = alt.step;
  if (alt.decimals >= 0) shape.decimals = alt.decimals;
  if (alt.converts) shape.conversion = alt.conversion;
  if (s.vary == Vary::ProtTypeGroup) shape.caption = ProtTypeGroup(env, s.option_group).Caption;
  return shape;
}

Shape ShapeOf(const Setting& s, const device::TMK& mk, const Env& env) {
  Shape shape = ShapeOf(s, env);
  if (const Setting* bound = s.max_from.empty() ? nullptr : FindSetting(s.max_from)) {
    shape.max = static_cast<double>(ReadStored(*bound, mk));
  }
  return shape;
}

std::string DisplayName(const Setting& s, const Env& env) {
  std::string name = ShapeOf(s, env).caption;
  while (!name.empty() && name.back() == ' ') name.pop_back();
  // A row without a caption of its own is named by its group's words and
  // the choices it shows.
  if (name.empty() && !s.group.empty()) {
    name = std::string(s.group);
    std::string choices;
    for (const std::string& item : ItemsOf(s, env))
      choices += (choices.empty() ? "" : " / ") + item;
    if (!choices.empty()) name += ": " + choices;
  }
  if (name.empty()) return std::string(s.name);
  if (!s.column.empty()) name += " (" + std::string(s.column) + ")";
  return name;
}

bool Visible(const Setting& s, const device::TMK& mk, const Env& env) {
  if (!PageShown(s.page, env.features)) return false;
  if (!env.features.HasAll(s.need_all) || env.features.HasAny(s.hide_any)) return false;
  return ProtocolHas(s, env) && RuleHolds(s, mk, env);
}

std::vector<std::string> ItemsOf(const Setting& s, const Env& env) {
  switch (s.source) {
    case ItemSource::Fixed:
      return Split(s.items);
    case ItemSource::ProtocolSelectMeth:
      return ProtocolSelectItems(env.features);
    case ItemSource::Protocols:
      return ProtocolItems(env);
    case ItemSource::ProtType:
      return ProtTypeGroup(env, s.option_group).Items;
    case ItemSource::TankMeth:
      return TankMethItems(env);
    case ItemSource::ResetPeriod:
      return Periods(false);
    case ItemSource::ResetPeriodForbid:
      return Periods(true);
    case ItemSource::FlagSound: {
      std::vector<std::string> items = {"Да", "Нет", "Замок"};
      if (!env.Has(Feature::NoVoice)) items.emplace_back("ОтГол");
      return items;
    }
    case ItemSource::VoiceModes:
      return {"О", "Н", "Б", "М", "Г"};
  }
  return {};
}

bool ItemEnabled(const Setting& s, const Env& env, int index) {
  const ItemRule& rule = s.disabled;
  return !(index >= rule.first && index <= rule.last && env.features.HasAny(rule.when));
}

double ShowNumber(const Setting& s, const device::TMK& mk, const Env& env) {
  const Shape shape = ShapeOf(s, env);
  const device::Record& rec = mk.Rec(s.block);
  const device::FieldDef& f = FieldOf(s, mk);
  double stored = 0;
  if (f.type == FieldType::Bytes) {
    stored = static_cast<double>(ReadStored(s, mk));
  } else if (f.type == FieldType::F32) {
    stored = rec.GetFloat(f, s.index);
    if (!std::isfinite(stored)) return std::nan("");
  } else {
    std::int64_t raw = rec.GetInt(f, s.index);
    if (Wraps(s, f) && raw > device::MaxValue(f.type) / 2) raw -= Modulus(f);
    stored = static_cast<double>(raw);
  }
  return NumberConversionOf(shape.conversion).shown(stored);
}

namespace {

// A value the row's cross-check refuses: it must differ from another setting's.
void CheckAgainstOthers(const Setting& s, const device::TMK& mk, std::int64_t stored) {
  if (s.check.differs_from.empty()) return;
  const Setting* other = FindSetting(s.check.differs_from);
  if (other != nullptr && ReadStored(*other, mk) == stored)
    throw Error(std::string(s.check.message));
}

}  // namespace

void CommitNumber(const Setting& s, device::TMK& mk, const Env& env, double shown) {
  RefuseReadOnly(s, env);
  const Shape shape = ShapeOf(s, mk, env);
  // Compare as the control shows it, so 999.9 typed is 999.9 however it rounds in binary.
  const double scale = std::pow(10.0, shape.decimals);
  const double as_shown = RoundHalfEven(shown * scale) / scale;
  if (!std::isfinite(shown) || as_shown < shape.min - 1e-9 || as_shown > shape.max + 1e-9) {
    RefuseRange(s, mk, env);
  }
  device::Record& rec = mk.Rec(s.block);
  const device::FieldDef& f = FieldOf(s, mk);
  if (f.type == FieldType::Bytes) {
    WriteWord(s, mk, static_cast<std::uint64_t>(RoundHalfEven(as_shown)));
    return;
  }
  double stored = NumberConversionOf(shape.conversion).stored(as_shown);
  if (f.type != FieldType::F32) {
    stored = RoundHalfEven(stored);
    if (Wraps(s, f) && stored < 0) stored += static_cast<double>(Modulus(f));
    CheckAgainstOthers(s, mk, static_cast<std::int64_t>(stored));
  }
  try {
    rec.SetFloat(f, stored, s.index);
  } catch (const RangeError&) {
    RefuseRange(s, mk, env);
  }
}

double OnStep(const Setting& s, const Env& env, double shown) {
  const Shape shape = ShapeOf(s, env);
  if (!s.buttons_only || !std::isfinite(shown) || shape.step <= 0) return shown;
  return shape.min + RoundHalfEven((shown - shape.min) / shape.step) * shape.step;
}

int ShowIndex(const Setting& s, const device::TMK& mk, const Env& env) {
  const auto count = static_cast<std::int64_t>(ItemsOf(s, env).size());
  const std::int64_t index = IndexConversionOf(s.conversion).index(ReadStored(s, mk));
  return index >= 0 && index < count ? static_cast<int>(index) : -1;
}

void CommitIndex(const Setting& s, device::TMK& mk, const Env& env, int index) {
  RefuseReadOnly(s, env);
  const auto count = static_cast<int>(ItemsOf(s, env).size());
  if (index < 0 || index >= count || !ItemEnabled(s, env, index)) NoSuchItem(s, env);
  switch (s.writer) {
    case Writer::SelectProtocol:
      SelectProtocol(mk, index);
      return;
    case Writer::BlocksShow:
      ApplyBlocksShow(mk, env, index);
      return;
    case Writer::ColorScheme:
      ChooseScheme(mk, index + 1);
      return;
    case Writer::Field:
      break;
  }
  const std::int64_t stored = IndexConversionOf(s.conversion).stored(index, ReadStored(s, mk));
  if (IsBits(s)) {
    WriteWord(s, mk,
              SetBits(ReadWord(s, mk), s.bit, s.bit_count, static_cast<std::uint64_t>(stored)));
    return;
  }
  try {
    mk.Rec(s.block).SetInt(FieldOf(s, mk), stored, s.index);
  } catch (const RangeError&) {
    NoSuchItem(s, env);
  }
}

bool ShowChecked(const Setting& s, const device::TMK& mk) {
  return ReadStored(s, mk) != 0;
}

void CommitChecked(const Setting& s, device::TMK& mk, bool checked) {
  if (IsBits(s)) {
    WriteWord(s, mk, SetBits(ReadWord(s, mk), s.bit, s.bit_count, checked ? 1 : 0));
    return;
  }
  mk.Rec(s.block).SetInt(FieldOf(s, mk), checked ? 1 : 0, s.index);
}

std::string ShowText(const Setting& s, const device::TMK& mk) {
  const device::Record& rec = mk.Rec(s.block);
  const device::FieldDef& f = FieldOf(s, mk);
  switch (s.kind) {
    case Kind::Time:
      return TimeShown(static_cast<std::uint32_t>(rec.GetInt(f, s.index)));
    case Kind::Date: {
      const std::int64_t day = rec.GetInt(f, s.index);
      return DayShown(static_cast<std::uint32_t>(std::min<std::int64_t>(day, 65535)));
    }
    default:
      return rec.GetText(f, s.index);
  }
}

void CommitText(const Setting& s, device::TMK& mk, std::string_view text) {
  device::Record& rec = mk.Rec(s.block);
  const device::FieldDef& f = FieldOf(s, mk);
  switch (s.kind) {
    case Kind::Time:
      if (!TimeInDay(text)) {
        throw RangeError("Время настройки «" + std::string(s.caption) +
                         "» должно быть от 00:00 до 23:59.");
      }
      rec.SetInt(f, TimeStored(text), s.index);
      return;
    case Kind::Date: {
      const auto refuse = [&] {
        throw RangeError("Дата настройки «" + std::string(s.caption) + "» должна быть от " +
                         DayShown(static_cast<std::uint32_t>(s.min)) + " до " +
                         DayShown(static_cast<std::uint32_t>(s.max)) + ".");
      };
      std::uint32_t day = 0;
      try {
        day = DayStored(text);
      } catch (const RangeError&) {
        refuse();
      }
      if (day != 0 && (day < s.min || day > s.max)) refuse();
      rec.SetInt(f, day, s.index);
      return;
    }
    default: {
      const std::size_t limit = s.max_length != 0 ? s.max_length : f.elem_size - 1;
      try {
        if (Utf8Length(text) > limit) throw RangeError();
        rec.SetText(f, text, s.index);
      } catch (const RangeError&) {
        throw RangeError("Текст настройки «" + std::string(s.caption.empty() ? s.name : s.caption) +
                         "» должен быть не длиннее " + std::to_string(limit) +
                         " знаков, в кодировке Windows-1251 и без нулевых символов.");
      }
      return;
    }
  }
}

bool OutOfRange(const Setting& s, const device::TMK& mk, const Env& env) {
  switch (s.kind) {
    case Kind::Spin: {
      const Shape shape = ShapeOf(s, mk, env);
      const double v = ShowNumber(s, mk, env);
      const double tolerance = 0.5 * std::pow(10.0, -shape.decimals);
      return !std::isfinite(v) || v < shape.min - tolerance || v > shape.max + tolerance;
    }
    case Kind::Radio:
    case Kind::Combo:
      return !ItemsOf(s, env).empty() && ShowIndex(s, mk, env) < 0;
    case Kind::Check:
      return ReadStored(s, mk) != 0 && ReadStored(s, mk) != 1;
    case Kind::FlagBit:
      return false;
    case Kind::Time:
      return ReadStored(s, mk) > static_cast<std::int64_t>(s.max);
    case Kind::Date: {
      const std::int64_t day = ReadStored(s, mk);
      return day != 0 &&
             (!IsDayOfDate(static_cast<std::uint32_t>(day)) || day < s.min || day > s.max);
    }
    case Kind::Text:
      return false;
    case Kind::Param:
    case Kind::Color:
    case Kind::HotMenu:
    case Kind::BlockList:
      return DrawnOutOfRange(s, mk, env);
  }
  return false;
}

std::string StoredText(const Setting& s, const device::TMK& mk, const Env& env, char separator) {
  switch (s.kind) {
    case Kind::Spin: {
      const double v = ShowNumber(s, mk, env);
      if (std::isnan(v)) return "nan";
      if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
      return FormatNumber(v, ShapeOf(s, env).decimals, separator);
    }
    case Kind::Text:
      return ShowText(s, mk);
    case Kind::Param:
    case Kind::Color:
    case Kind::HotMenu:
    case Kind::BlockList:
      return DrawnStored(s, mk);
    default:
      return std::to_string(StoredNumber(s, mk));
  }
}

std::int64_t StoredNumber(const Setting& s, const device::TMK& mk) {
  return ReadStored(s, mk);
}

std::string ShowAsText(const Setting& s, const device::TMK& mk, const Env& env, char separator) {
  if (OutOfRange(s, mk, env)) return StoredText(s, mk, env, separator);
  switch (s.kind) {
    case Kind::Spin:
      return FormatNumber(ShowNumber(s, mk, env), ShapeOf(s, env).decimals, separator);
    case Kind::Radio:
    case Kind::Combo: {
      const auto items = ItemsOf(s, env);
      const int index = ShowIndex(s, mk, env);
      return index < 0 ? std::string() : items[static_cast<std::size_t>(index)];
    }
    case Kind::Check:
    case Kind::FlagBit:
      return ShowChecked(s, mk) ? "да" : "нет";
    case Kind::Param:
    case Kind::Color:
    case Kind::HotMenu:
    case Kind::BlockList:
      return ShowDrawn(s, mk, env);
    default:
      return ShowText(s, mk);
  }
}

void CommitFromText(const Setting& s, device::TMK& mk, const Env& env, std::string_view text) {
  const auto refuse = [&] {
    throw Error("«" + device::EscapeText(text) + "» не значение настройки «" + DisplayName(s, env) +
                "».");
  };
  switch (s.kind) {
    case Kind::Spin: {
      const auto value = ParseNumber(text);
      if (!value) refuse();
      CommitNumber(s, mk, env, *value);
      return;
    }
    case Kind::Radio:
    case Kind::Combo: {
      const auto items = ItemsOf(s, env);
      const auto it = std::ranges::find(items, text);
      if (it == items.end()) refuse();
      CommitIndex(s, mk, env, static_cast<int>(it - items.begin()));
      return;
    }
    case Kind::Check:
    case Kind::FlagBit:
      if (text == "да" || text == "1") {
        CommitChecked(s, mk, true);
      } else if (text == "нет" || text == "0") {
        CommitChecked(s, mk, false);
      } else {
        refuse();
      }
      return;
    case Kind::Param:
    case Kind::Color:
    case Kind::HotMenu:
    case Kind::BlockList:
      CommitDrawn(s, mk, env, text);
      return;
    case Kind::Time:
      if (text.size() != 5 || text[2] != ':' || !ParseNumber(text.substr(0, 2)) ||
          !ParseNumber(text.substr(3, 2))) {
        refuse();
      }
      CommitText(s, mk, text);
      return;
    default:
      CommitText(s, mk, text);
      return;
  }
}

std::string UnitOf(const Setting& s, const Env& env) {
  const std::string caption = ShapeOf(s, env).caption;
  const auto comma = caption.rfind(", ");
  return comma == std::string::npos ? std::string() : caption.substr(comma + 2);
}

namespace {

// How a field's cell in the MK's memory reads to a user.
std::string_view TypeInWords(device::FieldType type) {
  using device::FieldType;
  switch (type) {
    case FieldType::U8:
      return "1 байт без знака";
    case FieldType::S8:
      return "1 байт со знаком";
    case FieldType::U16:
      return "2 байта без знака";
    case FieldType::S16:
      return "2 байта со знаком";
    case FieldType::U32:
      return "4 байта без знака";
    case FieldType::S32:
      return "4 байта со знаком";
    case FieldType::F32:
      return "дробное, 4 байта";
    case FieldType::U16BE:
      return "2 байта без знака, старший первым";
    case FieldType::Chars:
      return "текст";
    case FieldType::Bytes:
      return "байты";
  }
  return "";
}

}  // namespace

std::string ToolTip(const Setting& s, const Env& env, char separator) {
  const auto& f = device::BlockDefOf(s.block).Find(s.field);
  std::string tip = "Ячейка памяти МК: " + std::string(device::BlockDefOf(s.block).name) + "." +
                    std::string(s.field);
  if (f != nullptr && f->IsArray()) tip += "[" + std::to_string(s.index) + "]";
  if (f != nullptr) tip += " (" + std::string(TypeInWords(f->type)) + ")";
  if (s.bit >= 0) {
    tip += s.bit_count == 1
               ? ", бит " + std::to_string(s.bit)
               : ", биты " + std::to_string(s.bit) + "–" + std::to_string(s.bit + s.bit_count - 1);
  }
  const Shape shape = ShapeOf(s, env);
  if (const std::string unit = UnitOf(s, env); !unit.empty()) tip += "\nЕдиница: " + unit;
  switch (s.kind) {
    case Kind::Spin:
      tip += "\nДиапазон: " + FormatNumber(shape.min, shape.decimals, separator) + " … " +
             FormatNumber(shape.max, shape.decimals, separator);
      if (shape.step != 1) tip += ", шаг " + FormatNumber(shape.step, shape.decimals, separator);
      break;
    case Kind::Time:
      tip += "\nДиапазон: 00:00 … 23:59";
      break;
    case Kind::Date:
      tip += "\nДата ДД.ММ.ГГ; пусто — нет даты";
      break;
    case Kind::Text:
      tip += "\nНе длиннее " + std::to_string(s.max_length) + " знаков";
      break;
    default:
      break;
  }
  return tip;
}

}  // namespace mk::settings
