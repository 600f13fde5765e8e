// SPDX-License-Identifier: GPL-3.0-or-later
// mkctl dump: every named field of a settings file, one `Block.Field=value` a
// line, or with --json each with its type and a value of the matching kind.
#include <cmath>
#include <cstdio>
#include <string>

#include "device/field_paths.h"
#include "device/settings_file.h"
#include "text/error.h"
#include "text/utf8_path.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/json.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {
namespace {

using device::FieldType;

/// Integers and floats as JSON numbers (a float that is no number as null),
/// texts as strings, raw bytes as a string of hex digits.
std::string JsonValue(const device::TMK& mk, const device::FieldValue& v) {
  switch (v.field->type) {
    case FieldType::Chars:
      return Quote(mk.Rec(v.block).GetText(*v.field, v.index));
    case FieldType::Bytes:
      return Quote(v.text);
    case FieldType::F32:
      return std::isfinite(mk.Rec(v.block).GetFloat(*v.field, v.index)) ? v.text : "null";
    default:
      return std::to_string(mk.Rec(v.block).GetInt(*v.field, v.index));
  }
}

void PrintJson(const device::TMK& mk) {
  std::string out = "{\n  \"device_version\": " + std::to_string(mk.DeviceVersion()) +
                    ",\n  \"firmware_version\": " + std::to_string(mk.FirmwareVersion()) +
                    ",\n  \"fields\": [\n";
  const auto values = device::DumpFields(mk);
  for (std::size_t i = 0; i < values.size(); ++i) {
    const device::FieldValue& v = values[i];
    out += "    {\"path\": " + Quote(v.path) + ", \"type\": \"" +
           std::string(device::NamesOf(v.field->type).code) + "\", \"value\": " + JsonValue(mk, v) +
           "}" + (i + 1 < values.size() ? ",\n" : "\n");
  }
  out += "  ]\n}\n";
  std::fputs(out.c_str(), stdout);
}

}  // namespace

int CmdDump(const Args& args) {
  const auto files = Operands(args);
  if (files.size() != 1) throw UsageError("укажите один файл настроек");
  device::TMK mk;
  device::LoadSettingsFile(text::PathFromUtf8(files[0]), mk);
  mk.LoadCargo();  // not part of a load, but part of what the file holds
  if (HasFlag(args, "json")) {
    PrintJson(mk);
    return 0;
  }
  for (const device::FieldValue& v : device::DumpFields(mk)) {
    std::printf("%s=%s\n", v.path.c_str(), v.text.c_str());
  }
  return 0;
}

}  // namespace mk::tools
