// mkctl dump: every named field of a settings file, one `Block.Field=value` a
// line, or with --json each with its type and a value of the matching kind.
#include <cmath>
#include <cstdio>
#include <string>

#include "device/field_paths.h"
#include "device/settings_file.h"
#include "text/error.h"
#include "tools/mkctl/commands.h"
#include "tools/mkctl/json.h"
#include "tools/mkctl/terminal_io.h"

namespace mk::tools {
namespace {

using device::FieldType;

const char* TypeName(FieldType type) {
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
      return "text";
    case FieldType::Bytes:
      return "bytes";
  }
  return "?";
}

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
    out += "    {\"path\": " + Quote(v.path) + ", \"type\": \"" + TypeName(v.field->type) +
           "\", \"value\": " + JsonValue(mk, v) + "}" + (i + 1 < values.size() ? ",\n" : "\n");
  }
  out += "  ]\n}\n";
  std::fputs(out.c_str(), stdout);
}

}  // namespace

int CmdDump(const Args& args) {
  const auto files = Operands(args);
  if (files.size() != 1) throw UsageError("укажите один файл настроек");
  device::TMK mk;
  device::LoadSettingsFile(FilePath(files[0]), mk);
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
