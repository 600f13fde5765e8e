// SPDX-License-Identifier: GPL-3.0-or-later
// Fields by name, as scripts and dumps see them: "Limits.VelocityLimit",
// "FuelSensor.OilCalibrResArr[3]", "Display.Disp4Params[2][1]".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "device/mk.h"

namespace mk::device {

struct FieldValue {
  std::string path;
  std::string text;  // integers in decimal, floats shortest, texts escaped UTF-8, bytes in hex
  // Where it comes from, for callers that need the type or the raw value.
  BlockId block = BlockId::Totals;
  const FieldDef* field = nullptr;
  std::size_t index = 0;
};

/// A text on one line: "\\" for a backslash, "\n", "\t", "\r" and "\xNN"
/// for the other control characters; everything else as it is.
std::string EscapeText(std::string_view text);
/// The inverse; mk::Error naming the escape for one it does not know.
std::string UnescapeText(std::string_view text);

/// Every element of every field of every record, in table order.
std::vector<FieldValue> DumpFields(const TMK& mk);

/// One element as DumpFields shows it.
std::string FormatElement(const Record& rec, const FieldDef& field, std::size_t index);

/// The value of the element at `path`, as DumpFields shows it. mk::Error for an unknown path.
std::string GetField(const TMK& mk, std::string_view path);

/// Sets the element at `path` from text in the form DumpFields shows.
/// mk::Error for an unknown path or unreadable text, mk::RangeError naming the
/// field and its range for a value that does not fit; the record is unchanged then.
void SetField(TMK& mk, std::string_view path, std::string_view text);

}  // namespace mk::device
