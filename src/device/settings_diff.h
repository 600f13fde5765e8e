// SPDX-License-Identifier: GPL-3.0-or-later
// Comparing two settings images field by field through the field tables, as
// `mkctl diff` shows it: "Limits.VelocityLimit: 40 -> 61".
#pragma once

#include <string>
#include <vector>

#include "device/mk.h"

namespace mk::device {

/// What differs from `a` to `b`, one line each ("Name: old -> new"): the device and firmware
/// versions, the image sizes (when one is longer, only what both hold is compared further), every
/// field element of every record in table order, and the image bytes that no
/// field covers, counted in one line. With `settings_only` the totals, the
/// trip and refuelling journals and the error journal are left out, and so are
/// the bytes outside the fields. Both models must have their records loaded,
/// Cargo included.
std::vector<std::string> DiffSettings(const TMK& a, const TMK& b, bool settings_only);

}  // namespace mk::device
