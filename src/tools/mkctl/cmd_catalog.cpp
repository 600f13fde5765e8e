// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl catalog: what the configurator offers for one MK model and variant -
// its flags, protocols, measured parameters and menu items.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "catalog/catalogues.h"
#include "device/mk.h"
#include "device/settings_file.h"
#include "text/error.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/json.h"

namespace mk::tools {
namespace {

using catalog::Catalogues;
using catalog::Family;
using catalog::Feature;

long ParseNumber(const std::string& text, const char* what, long max) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 0);
  if (text.empty() || *end != '\0' || v < 0 || v > max) {
    throw UsageError(std::string("неверное значение ") + what + ": «" + text + "»");
  }
  return v;
}

template <typename T>
std::string NumberList(const std::vector<T>& v) {
  std::string out = "[";
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (i) out += ", ";
    out += std::to_string(v[i]);
  }
  return out + "]";
}

/// `s` padded with spaces to `width` characters (not bytes: names are UTF-8).
std::string PadRight(const std::string& s, std::size_t width) {
  std::size_t chars = 0;
  for (char ch : s) chars += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  return chars < width ? s + std::string(width - chars, ' ') : s;
}

std::string Bool(bool b) {
  return b ? "true" : "false";
}

std::vector<std::string_view> FeatureNames(const Catalogues& c) {
  std::vector<std::string_view> names;
  for (unsigned i = 0; i < static_cast<unsigned>(Feature::Count); ++i) {
    if (c.Has(static_cast<Feature>(i)))
      names.push_back(catalog::FeatureName(static_cast<Feature>(i)));
  }
  return names;
}

std::vector<std::string_view> FamilyNames(const Catalogues& c) {
  std::vector<std::string_view> names;
  for (unsigned i = 0; i < static_cast<unsigned>(Family::Count); ++i) {
    if (c.Variant().families.Has(static_cast<Family>(i))) {
      names.push_back(catalog::FamilyName(static_cast<Family>(i)));
    }
  }
  return names;
}

std::string NameList(const std::vector<std::string_view>& names) {
  std::string out = "[";
  for (std::size_t i = 0; i < names.size(); ++i) out += (i ? ", " : "") + Quote(names[i]);
  return out + "]";
}

std::string ProtocolJson(const catalog::TProtBase& p, std::size_t index) {
  const auto& f = p.Capabilities;
  std::string out = "    {\"index\": " + std::to_string(index) + ", \"name\": " + Quote(p.Name) +
                    ", \"code\": " + std::to_string(p.ProtocolCode) +
                    ", \"error_format\": " + std::to_string(p.ErrorCodeFormat) +
                    ",\n     \"param_codes\": " + NumberList(p.ParamCodes) +
                    ",\n     \"extra_codes\": " + NumberList(p.ExtraCodes) +
                    ",\n     \"groups\": [";
  for (std::size_t g = 0; g < p.Groups.size(); ++g) {
    out += (g ? ", " : "") + std::string("{\"caption\": ") + Quote(p.Groups[g].Caption) +
           ", \"items\": [";
    for (std::size_t i = 0; i < p.Groups[g].Items.size(); ++i) {
      out += (i ? ", " : "") + Quote(p.Groups[g].Items[i]);
    }
    out += "]}";
  }
  out += "],\n     \"features\": {\"coolant_temperature\": " + Bool(f.CoolantTemperature) +
         ", \"error_reading\": " + Bool(f.ErrorReading) +
         ", \"gearbox_oil_temperature\": " + Bool(f.GearboxOilTemperature) +
         ", \"engine_oil_temperature\": " + Bool(f.EngineOilTemperature) +
         ", \"fan_control\": " + Bool(f.FanControl) + ", \"hybrid_drive\": " + Bool(f.HybridDrive) +
         ", \"additional_engine_cooling\": " + Bool(f.AdditionalEngineCooling) +
         ", \"side_lights_from_ecu\": " + Bool(f.SideLightsFromEcu) +
         ", \"battery_voltage_from_ecu\": " + Bool(f.BatteryVoltageFromEcu) +
         ", \"vehicle_class\": " + std::to_string(f.VehicleClass) +
         ", \"ecu_level_sensors\": " + std::to_string(f.EcuLevelSensors) +
         "},\n     \"blocks\": " + NumberList(p.Blocks) + "}";
  return out;
}

std::string ParamJson(const catalog::TMeasParBase& p) {
  auto s = [](const char* k, const std::string& v) { return Quote(k) + ": " + Quote(v); };
  auto n = [](const char* k, long v) { return Quote(k) + ": " + std::to_string(v); };
  auto b = [](const char* k, bool v) { return Quote(k) + ": " + Bool(v); };
  const std::vector<std::string> fields = {s("class", p.ClassName),
                                           n("code", p.Code),
                                           b("has_range", p.HasRange),
                                           n("gauge_kind", p.GaugeKind),
                                           b("graph_capable", p.GraphCapable),
                                           n("sample_value", p.SampleValue),
                                           n("min_value", p.MinValue),
                                           n("max_value", p.MaxValue),
                                           n("scale_min", p.ScaleMin),
                                           n("scale_max", p.ScaleMax),
                                           n("width", p.Width),
                                           n("decimals", p.Decimals),
                                           s("name", p.Name),
                                           s("sample_text", p.SampleText),
                                           s("long_name", p.LongName),
                                           s("min_text", p.MinText),
                                           s("max_text", p.MaxText),
                                           s("short_name", p.ShortName),
                                           s("unit", p.Unit),
                                           s("name2", p.Name2),
                                           s("unit2", p.Unit2),
                                           s("name3", p.Name3),
                                           s("name4", p.Name4),
                                           s("unit3", p.Unit3),
                                           s("caption", p.Caption),
                                           b("has_alt_scale", p.HasAltScale),
                                           b("alt_scale", p.AltScale)};
  std::string out = "    {";
  for (std::size_t i = 0; i < fields.size(); ++i) out += (i ? ", " : "") + fields[i];
  return out + "}";
}

void PrintJson(const Catalogues& c) {
  const auto& v = c.Variant();
  std::string out = "{\n  \"device_version\": " + std::to_string(v.device_version) +
                    ",\n  \"variant\": " + std::to_string(v.firmware_variant) +
                    ",\n  \"project\": " + Quote(v.project) + ",\n  \"known\": " + Bool(v.known) +
                    ",\n  \"oscilloscope\": " + Bool(c.OscilloscopeSupported()) +
                    ",\n  \"flags\": " + NameList(FeatureNames(c)) +
                    ",\n  \"families\": " + NameList(FamilyNames(c)) +
                    ",\n  \"current_protocol\": " +
                    (c.CurrentProtocol() ? std::to_string(c.Protocols().CurrentIndex()) : "null") +
                    ",\n  \"protocols\": [\n";
  const auto& protocols = c.Protocols().Items();
  for (std::size_t i = 0; i < protocols.size(); ++i) {
    out += ProtocolJson(protocols[i], i) + (i + 1 < protocols.size() ? ",\n" : "\n");
  }
  out += "  ],\n  \"parameters\": [\n";
  const auto& params = c.Params().Items();
  for (std::size_t i = 0; i < params.size(); ++i) {
    out += ParamJson(params[i]) + (i + 1 < params.size() ? ",\n" : "\n");
  }
  out += "  ],\n  \"menu\": [\n";
  const auto& menu = c.Menu().Items();
  for (std::size_t i = 0; i < menu.size(); ++i) {
    const auto& m = menu[i];
    out += "    {\"code\": " + std::to_string(m.Code) + ", \"ident\": " + Quote(m.Ident) +
           ", \"caption\": " + Quote(m.Caption) + ", \"group\": " + std::to_string(m.Group) + "}" +
           (i + 1 < menu.size() ? ",\n" : "\n");
  }
  out += "  ],\n  \"hot_menus\": [";
  const auto hot = c.DefaultHotMenus();
  for (std::size_t i = 0; i < hot.size(); ++i) {
    out += (i ? ", " : "") + NumberList(std::vector<std::uint16_t>(hot[i].begin(), hot[i].end()));
  }
  out += "]\n}\n";
  std::fputs(out.c_str(), stdout);
}

void PrintText(const Catalogues& c) {
  const auto& v = c.Variant();
  std::printf("Проект: %s (модель %u, вариант %u)%s\n", std::string(v.project).c_str(),
              v.device_version, v.firmware_variant,
              v.known ? "" : " - нет в таблице, всё разрешено");
  std::printf("Осциллограф: %s\n", c.OscilloscopeSupported() ? "да" : "нет");
  std::printf("Флаги:");
  for (auto name : FeatureNames(c)) std::printf(" %s", std::string(name).c_str());
  std::printf("\nСемейства протоколов:");
  for (auto name : FamilyNames(c)) std::printf(" %s", std::string(name).c_str());
  std::printf("\nПротоколы (номер, название, код, формат ошибок):\n");
  const auto& protocols = c.Protocols().Items();
  for (std::size_t i = 0; i < protocols.size(); ++i) {
    const auto& p = protocols[i];
    std::printf("%c%3zu  %s %3u  %d\n",
                c.Protocols().CurrentIndex() == static_cast<int>(i) ? '*' : ' ', i,
                PadRight(p.Name, 14).c_str(), p.ProtocolCode, p.ErrorCodeFormat);
  }
  if (c.CurrentProtocol() == nullptr) std::printf("Выбранный протокол вне каталога\n");
  std::printf("Пункты меню (код, имя, надпись, группа):\n");
  for (const auto& m : c.Menu().Items()) {
    std::printf("%4u  %s %s  [%u]\n", m.Code, PadRight(m.Ident, 28).c_str(), m.Caption.c_str(),
                m.Group);
  }
}

}  // namespace

int CmdCatalog(const Args& args) {
  long device_version = 0, variant = 0, protocol = 0;
  const std::string file = Option(args, "file");
  if (!file.empty()) {
    device::TMK mk;
    device::LoadSettingsFile(file, mk);
    device_version = mk.DeviceVersion();
    // The catalogue takes both as bytes; larger values are refused, as the editor does.
    const auto fw = mk.FirmwareVersion();
    const auto stored = mk.Rec(device::BlockId::ServiceInfo).GetInt("Protocol");
    device::CheckCatalogueBytes(stored, fw);
    variant = static_cast<long>(fw);
    protocol = static_cast<long>(stored);
  } else {
    const std::string dv = Option(args, "device-version");
    const std::string fv = Option(args, "variant");
    if (dv.empty() || fv.empty()) {
      throw UsageError("нужны --device-version и --variant или --file");
    }
    device_version = ParseNumber(dv, "--device-version", 65535);
    variant = ParseNumber(fv, "--variant", 255);
  }
  const std::string prot = Option(args, "protocol");
  if (!prot.empty()) protocol = ParseNumber(prot, "--protocol", 255);

  Catalogues c;
  c.Rebuild(static_cast<std::uint16_t>(device_version), static_cast<std::uint8_t>(protocol),
            static_cast<std::uint8_t>(variant));
  if (HasFlag(args, "json")) {
    PrintJson(c);
  } else {
    PrintText(c);
  }
  return 0;
}

}  // namespace mk::tools
