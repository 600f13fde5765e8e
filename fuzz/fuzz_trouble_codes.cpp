// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary text as a trouble code a person typed (mkctl dtc). Nothing may
// crash; a code that parses is named back as itself and always described.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "catalog/trouble_codes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto code = mk::catalog::ParseTroubleCode(text);
  if (!code) return 0;
  if (mk::catalog::ParseTroubleCode(mk::catalog::TroubleCodeName(*code)) != code) std::abort();
  if (mk::catalog::DescribeTroubleCode(*code).empty()) std::abort();
  return 0;
}
