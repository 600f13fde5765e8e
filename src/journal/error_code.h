// SPDX-License-Identifier: GPL-3.0-or-later
// Error codes as the MK's journals show them: one function from a code and
// the protocol's error-code format to text, for the error journal and the
// freeze frame alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace mk::journal {

/// The protocol options that formats 7, 8 and 9 depend on (settings bytes
/// ProtTypeMain and ProtTypeAdd2).
struct ProtocolOptions {
  std::uint8_t prot_type_main = 0;
  std::uint8_t prot_type_add2 = 0;
};

/// What a code shows as: one of the basic formats 0 to 5, and the code that
/// format is given (format 8 converts some codes).
struct ShownCode {
  std::uint32_t code = 0;
  std::int32_t format = 0;
};

/// The basic format and code that `format` shows `code` as; none when its
/// text is empty (format 6, no format, format 8 without its variant).
std::optional<ShownCode> ShownAs(std::uint32_t code, std::int32_t format, ProtocolOptions options);

/// The text of `code` in `format` (0 to 9). Format 6, the protocol catalogue's
/// "no format" (1000) and any other value give an empty text.
std::string RenderErrorCode(std::uint32_t code, std::int32_t format, ProtocolOptions options);

/// Format 8's conversion of a code of 0x4000 or more: the last three decimal
/// digits of its offset into its 0x400 range, as three hex nibbles; 0 from
/// 0x5000 on.
std::uint32_t ConvertFormat8(std::uint32_t code);

}  // namespace mk::journal
