#include "settings/setting_value.h"

#include <algorithm>
#include <cmath>

#include "device/value_rules.h"
#include "settings/conversions.h"
#include "settings/lists.h"
#include "settings/page_rules.h"
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

// Flag words and the raw BlocksMask, whose byte 0 carries the page's choices.
std::uint64_t ReadWord(const Setting& s, const device::TMK& mk) {
  const device::Record& rec = mk.Rec(s.block);
  const device::FieldDef& f = FieldOf(s, mk);
  if (f.type == FieldType::Bytes) return rec.Element(f, 0)[0];
  return static_cast<std::uint64_t>(rec.GetInt(f, s.index));
}

void WriteWord(const Setting& s, device::TMK& mk, std::uint64_t word) {
  device::Record& rec = mk.Rec(s.block);
  const device::FieldDef& f = FieldOf(s, mk);
  if (f.type == FieldType::Bytes) {
    rec.Element(f, 0)[0] = static_cast<std::uint8_t>(word);
    return;
  }
  rec.SetInt(f, static_cast<std::int64_t>(word), s.index);
}

std::int64_t ReadStored(const Setting& s, const device::TMK& mk) {
  if (IsBits(s)) return static_cast<std::int64_t>(GetBits(ReadWord(s, mk), s.bit, s.bit_count));
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

[[noreturn]] void OutOfRange(const Setting& s, const Env& env) {
  const Shape shape = ShapeOf(s, env);
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
      return c.VehicleClass == 1;
    case Needs::Class1OrTruck:
      return c.VehicleClass == 1 || (c.VehicleClass == 14 && env.Has(Feature::HasTruckOptions));
    case Needs::Class82:
      return c.VehicleClass == 82;
    case Needs::Cargo:
      return c.VehicleClass == 14;
  }
  return true;
}

std::int64_t InfoValue(const device::TMK& mk, BlockId block, std::string_view field) {
  return mk.Rec(block).GetInt(field);
}

bool RuleHolds(const Setting& s, const device::TMK& mk, const Env& env) {
  switch (s.rule) {
    case Rule::None:
      return true;
    case Rule::VirtualLock:
      return InfoValue(mk, BlockId::ServiceInfo, "ConfigFlags") & 1;
    case Rule::GabarPolarity: {
      if (env.Has(Feature::FixedGabarInput)) return false;
      const bool from_ecu = (InfoValue(mk, BlockId::ServiceInfo, "ConfigFlags") >> 5) & 1;
      return !(from_ecu && SideLightsFromEcu(env));
    }
    case Rule::ManualProtocol: {
      const auto items = ProtocolSelectItems(env.features);
      return InfoValue(mk, BlockId::ServiceInfo, "ProtocolSelectMeth") ==
             static_cast<std::int64_t>(items.size()) - 1;
    }
    case Rule::InjectorSources:
      return InfoValue(mk, BlockId::Limits, "RevolutionsMeth") != 0 ||
             InfoValue(mk, BlockId::Limits, "GasMeth") != 0 ||
             InfoValue(mk, BlockId::Limits, "ExpenseMeth") != 0;
    case Rule::ProtTypeTitled:
      return !ProtTypeGroup(env, s.option_group).Caption.empty();
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

std::string TypeName(FieldType type) {
  switch (type) {
    case FieldType::U8:
      return "u8";
    case FieldType::S8:
      return "s8";
    case FieldType::U16:
      return "u16";
    case FieldType::S16:
      return "s16";
    case FieldType::U32:
      return "u32";
    case FieldType::S32:
      return "s32";
    case FieldType::F32:
      return "f32";
    case FieldType::U16BE:
      return "u16be";
    case FieldType::Chars:
      return "текст";
    case FieldType::Bytes:
      return "байты";
  }
  return {};
}

std::size_t Utf8Length(std::string_view text) {
  return static_cast<std::size_t>(std::ranges::count_if(
      text, [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

}  // namespace

Shape ShapeOf(const Setting& s, const Env& env) {
  Shape shape{std::string(s.caption), s.min, s.max, s.step, s.decimals, s.conversion};
  switch (s.vary) {
    case Vary::None:
      break;
    case Vary::ServiceKm:
      if (env.Has(Feature::ServiceKm)) {
        shape.caption = "ТО тыс.км";
        shape.max = 9.9;
        shape.step = 0.1;
        shape.decimals = 1;
        shape.conversion = Conversion::Times10;
      }
      break;
    case Vary::Battery24V:
      if (env.Has(Feature::Is24V)) {
        const bool low = s.field == "UaccLowLimit";
        shape.min = low ? 18.0 : 28.0;
        shape.max = low ? 27.8 : 32.0;
      }
      break;
    case Vary::FanHybrid:
      if (env.protocol != nullptr && env.protocol->Capabilities.HybridDrive) {
        shape.min = 25;
        shape.max = 60;
      }
      break;
    case Vary::ProtTypeGroup:
      shape.caption = ProtTypeGroup(env, s.option_group).Caption;
      break;
  }
  return shape;
}

std::string DisplayName(const Setting& s, const Env& env) {
  std::string name = ShapeOf(s, env).caption;
  while (!name.empty() && name.back() == ' ') name.pop_back();
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
  if (s.source == ItemSource::VoiceModes && env.Has(Feature::NoVoice)) return index < 3;
  if (s.field == "IntenseMeth" && env.Has(Feature::NoSensorInputs)) return index != 2;
  return true;
}

double ShowNumber(const Setting& s, const device::TMK& mk, const Env& env) {
  const Shape shape = ShapeOf(s, env);
  const device::Record& rec = mk.Rec(s.block);
  const device::FieldDef& f = FieldOf(s, mk);
  double shown = 0;
  if (shape.conversion == Conversion::Percent) {
    const double factor = rec.GetFloat(f, s.index);
    shown = std::isfinite(factor) ? PercentShown(factor) : shape.min;
  } else {
    std::int64_t stored = rec.GetInt(f, s.index);
    if (Wraps(s, f) && stored > device::MaxValue(f.type) / 2) stored -= Modulus(f);
    const auto v = static_cast<double>(stored);
    switch (shape.conversion) {
      case Conversion::Times10:
        shown = v / 10;
        break;
      case Conversion::Half:
        shown = v * 2;
        break;
      case Conversion::Fifth:
        shown = v * 5;
        break;
      case Conversion::Tenth:
        shown = v * 10;
        break;
      default:
        shown = v;
        break;
    }
  }
  return std::clamp(shown, shape.min, shape.max);
}

void CommitNumber(const Setting& s, device::TMK& mk, const Env& env, double shown) {
  RefuseReadOnly(s, env);
  const Shape shape = ShapeOf(s, env);
  // Compare as the control shows it, so 999.9 typed is 999.9 however it rounds in binary.
  const double scale = std::pow(10.0, shape.decimals);
  const double as_shown = RoundHalfEven(shown * scale) / scale;
  if (!std::isfinite(shown) || as_shown < shape.min - 1e-9 || as_shown > shape.max + 1e-9) {
    OutOfRange(s, env);
  }
  device::Record& rec = mk.Rec(s.block);
  const device::FieldDef& f = FieldOf(s, mk);
  if (s.field == "UniMeasADC0" || s.field == "UniMeasADC1") {
    CheckUniMeasAdc(mk, s.field == "UniMeasADC0" ? 0 : 1, static_cast<std::int64_t>(as_shown));
  }
  double stored = as_shown;
  switch (shape.conversion) {
    case Conversion::Percent:
      stored = PercentStored(as_shown);
      break;
    case Conversion::Times10:
      stored = as_shown * 10;
      break;
    case Conversion::Half:
      stored = as_shown / 2;
      break;
    case Conversion::Fifth:
      stored = as_shown / 5;
      break;
    case Conversion::Tenth:
      stored = as_shown / 10;
      break;
    default:
      break;
  }
  if (f.type != FieldType::F32) {
    stored = RoundHalfEven(stored);
    if (Wraps(s, f) && stored < 0) stored += static_cast<double>(Modulus(f));
  }
  try {
    rec.SetFloat(f, stored, s.index);
  } catch (const RangeError&) {
    OutOfRange(s, env);
  }
}

int ShowIndex(const Setting& s, const device::TMK& mk, const Env& env) {
  const auto count = static_cast<std::int64_t>(ItemsOf(s, env).size());
  const std::int64_t stored = ReadStored(s, mk);
  std::int64_t index = stored;
  switch (s.conversion) {
    case Conversion::IndexMinus1:
      index = stored + 1;
      break;
    case Conversion::ForsCoef:
      index = ForsCoefIndex(stored);
      break;
    case Conversion::NonZero:
      index = stored != 0 ? 1 : 0;
      break;
    case Conversion::AlarmFirst:
    case Conversion::AlarmSingle:
      index = device::AlarmFirstChoice(static_cast<std::uint8_t>(stored));
      break;
    case Conversion::AlarmRepeat:
      index = device::AlarmSecondChoice(static_cast<std::uint8_t>(stored));
      break;
    default:
      break;
  }
  return index >= 0 && index < count ? static_cast<int>(index) : 0;
}

void CommitIndex(const Setting& s, device::TMK& mk, const Env& env, int index) {
  RefuseReadOnly(s, env);
  const auto count = static_cast<int>(ItemsOf(s, env).size());
  if (index < 0 || index >= count || !ItemEnabled(s, env, index)) NoSuchItem(s, env);
  if (s.source == ItemSource::Protocols) {
    SelectProtocol(mk, index);
    return;
  }
  if (s.field == "BlocksMask" && s.bit == 0) {
    ApplyBlocksShow(mk, env, index);
    return;
  }
  if (IsBits(s)) {
    WriteWord(s, mk, SetBits(ReadWord(s, mk), s.bit, s.bit_count, static_cast<unsigned>(index)));
    return;
  }
  device::Record& rec = mk.Rec(s.block);
  const device::FieldDef& f = FieldOf(s, mk);
  const auto old = static_cast<std::uint8_t>(rec.GetInt(f, s.index));
  std::int64_t stored = index;
  switch (s.conversion) {
    case Conversion::IndexMinus1:
      stored = index - 1;
      break;
    case Conversion::ForsCoef:
      stored = ForsCoefStored(index);
      break;
    case Conversion::AlarmFirst:
      stored = device::AlarmModeTwoChoices(index, device::AlarmSecondChoice(old));
      break;
    case Conversion::AlarmRepeat:
      stored = device::AlarmModeTwoChoices(device::AlarmFirstChoice(old), index);
      break;
    case Conversion::AlarmSingle:
      stored = device::AlarmModeOneChoice(index);
      break;
    default:
      break;
  }
  try {
    rec.SetInt(f, stored, s.index);
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
      rec.SetInt(f, TimeStored(text), s.index);
      return;
    case Kind::Date:
      try {
        rec.SetInt(f, DayStored(text), s.index);
      } catch (const RangeError&) {
        throw RangeError("Дата настройки «" + std::string(s.caption) +
                         "» должна лежать между 01.01.00 и 31.12.99.");
      }
      return;
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

std::string ShowAsText(const Setting& s, const device::TMK& mk, const Env& env, char separator) {
  switch (s.kind) {
    case Kind::Spin:
      return FormatNumber(ShowNumber(s, mk, env), ShapeOf(s, env).decimals, separator);
    case Kind::Radio:
    case Kind::Combo: {
      const auto items = ItemsOf(s, env);
      return items.empty() ? std::string() : items[static_cast<std::size_t>(ShowIndex(s, mk, env))];
    }
    case Kind::Check:
    case Kind::FlagBit:
      return ShowChecked(s, mk) ? "да" : "нет";
    default:
      return ShowText(s, mk);
  }
}

void CommitFromText(const Setting& s, device::TMK& mk, const Env& env, std::string_view text) {
  const auto refuse = [&] {
    throw Error("«" + std::string(text) + "» не значение настройки «" + DisplayName(s, env) + "».");
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

std::string ToolTip(const Setting& s, const Env& env, char separator) {
  const auto& f = device::BlockDefOf(s.block).Find(s.field);
  std::string tip =
      "Поле: " + std::string(device::BlockDefOf(s.block).name) + "." + std::string(s.field);
  if (f != nullptr && f->IsArray()) tip += "[" + std::to_string(s.index) + "]";
  if (f != nullptr) tip += " (" + TypeName(f->type) + ")";
  if (s.bit >= 0) {
    tip += s.bit_count == 1
               ? ", бит " + std::to_string(s.bit)
               : ", биты " + std::to_string(s.bit) + "–" + std::to_string(s.bit + s.bit_count - 1);
  }
  const Shape shape = ShapeOf(s, env);
  if (const auto comma = shape.caption.rfind(", "); comma != std::string::npos) {
    tip += "\nЕдиница: " + shape.caption.substr(comma + 2);
  }
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
