// SPDX-License-Identifier: GPL-3.0-or-later
#include "journal/error_code.h"

#include "journal/number_format.h"

namespace mk::journal {
namespace {

std::string Letter(std::uint32_t code) {
  switch (code / 0x4000) {
    case 0:
      return "P";
    case 1:
      return "C";
    case 2:
      return "B";
    case 3:
      return "U";
    default:
      return "";
  }
}

// SPN, FMI and occurrence count of a J1939 diagnostic trouble code.
std::string J1939(std::uint32_t code) {
  const std::uint32_t spn = (code & 0xFFFF) + ((code >> 5) & 0x70000);
  const std::uint32_t fmi = (code >> 16) & 0x1F;
  const std::uint32_t q = code >> 24;
  return "SPN = " + Plain(spn) + "  FMI = " + Plain(fmi) +
         "  Q = " + (q >= 127 ? std::string("----") : Plain(q));
}

std::string FlagLetter(std::uint32_t code) {
  if (code & 0x8000) return "п";
  if (code & 0x4000) return "н";
  if (code & 0x2000) return "м";
  return "";
}

std::string Basic(std::uint32_t code, std::int32_t format) {
  switch (format) {
    case 0:
      return Letter(code) + Hex4(code & 0x3FFF);
    case 1:
      return Hex4(code & 0x3FFF);
    case 2:
      return Plain(code);
    case 3:
      return Plain(code) + FlagLetter(code);
    case 4:
      return Hex4(code) + (code < 0x100 || code >= 0x1000 ? "Sub" : "");
    case 5:
      return J1939(code);
    default:
      return "";
  }
}

}  // namespace

std::uint32_t ConvertFormat8(std::uint32_t code) {
  if (code >= 0x5000) return 0;
  std::uint32_t n = code;
  for (const std::uint32_t base : {0x4C00u, 0x4800u, 0x4400u, 0x4000u}) {
    if (code >= base) {
      n = code - base;
      break;
    }
  }
  return (n % 10) + ((n / 10) % 10) * 16 + ((n / 100) % 10) * 256;
}

std::optional<ShownCode> ShownAs(std::uint32_t code, std::int32_t format, ProtocolOptions options) {
  switch (format) {
    case 7:
      return ShownCode{code, options.prot_type_add2 == 1 ? 0 : 1};
    case 8:
      if (code >= 0x4000) return ShownCode{ConvertFormat8(code), 0};
      if (options.prot_type_main == 1) return ShownCode{code, 2};
      return std::nullopt;
    case 9:
      return ShownCode{code, options.prot_type_add2 == 0 ? 2 : 0};
    default:
      if (format < 0 || format > 5) return std::nullopt;
      return ShownCode{code, format};
  }
}

std::string RenderErrorCode(std::uint32_t code, std::int32_t format, ProtocolOptions options) {
  const auto shown = ShownAs(code, format, options);
  return shown ? Basic(shown->code, shown->format) : "";
}

}  // namespace mk::journal
