// SPDX-License-Identifier: GPL-3.0-or-later
// The rows the device menu is built from, in code order.
#pragma once

#include <cstdint>
#include <span>

#include "catalog/variant.h"

namespace mk::catalog {

enum class MenuRowKind : std::uint8_t {
  kItem,      // one item, the next code
  kOrElse,    // another item for the previous code, when that one is absent
  kNumbered,  // 20 items "<ident>1Menu".."<ident>20Menu", numbers right-aligned in 4 characters
  kTariffs,   // 20 taximeter tariff items, four for each of the five tariffs
};

struct MenuRow {
  MenuRowKind kind;
  const char* ident;    // kNumbered: the stem; kTariffs: unused
  const char* caption;  // kNumbered: the text after the number; kTariffs: the stem
  std::uint8_t group;
  Features require;  // every one of these must be set
  Features forbid;   // none of these may be set
};

std::span<const MenuRow> MenuRows();

}  // namespace mk::catalog
