// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/settings_diff.h"

#include <algorithm>

#include "device/field_paths.h"

namespace mk::device {
namespace {

// What a user's settings are not: counters and journals the MK keeps itself.
bool IsRecordOfUse(const FieldValue& v) {
  if (v.block == BlockId::Totals || v.block == BlockId::ErrorJournal) return true;
  return v.block == BlockId::Journals &&
         (v.field->name == "TripJournal" || v.field->name == "TankJournal");
}

// Marks the image positions the records of `mk` cover, within `size`.
std::vector<bool> CoveredBytes(const TMK& mk, std::size_t size) {
  std::vector<bool> covered(size, false);
  for (const BlockDef& block : AllBlockDefs()) {
    const std::int64_t position = mk.Directory().Position(block.number);
    if (position < 0) continue;
    const std::size_t from = static_cast<std::size_t>(position);
    const std::size_t length = std::min(block.record_size, mk.Directory().DataLength(block.number));
    for (const FieldDef& f : block.fields) {
      for (std::size_t i = f.offset; i < f.offset + f.Size() && i < length; ++i) {
        if (from + i < size) covered[from + i] = true;
      }
    }
  }
  return covered;
}

}  // namespace

std::vector<std::string> DiffSettings(const TMK& a, const TMK& b, bool settings_only) {
  std::vector<std::string> out;
  const auto add = [&out](const std::string& name, const std::string& old_text,
                          const std::string& new_text) {
    if (old_text != new_text) out.push_back(name + ": " + old_text + " -> " + new_text);
  };
  add("DeviceVersion", std::to_string(a.DeviceVersion()), std::to_string(b.DeviceVersion()));
  add("FirmwareVersion", std::to_string(a.FirmwareVersion()), std::to_string(b.FirmwareVersion()));
  const std::size_t common = std::min(a.Image().size(), b.Image().size());
  if (a.Image().size() != b.Image().size()) {
    const bool second_longer = b.Image().size() > a.Image().size();
    add("ImageSize", std::to_string(a.Image().size()),
        std::to_string(b.Image().size()) +
            (second_longer ? " (второй длиннее" : " (первый длиннее") +
            ", сравнено общее: " + std::to_string(common) + " байт)");
  }

  const std::vector<FieldValue> old_values = DumpFields(a);
  const std::vector<FieldValue> new_values = DumpFields(b);
  for (std::size_t i = 0; i < old_values.size() && i < new_values.size(); ++i) {
    if (settings_only && IsRecordOfUse(old_values[i])) continue;
    add(old_values[i].path, old_values[i].text, new_values[i].text);
  }

  if (!settings_only) {
    // Block 12, the directory and the gaps: not fields, but part of the MK's memory.
    const std::vector<bool> covered_a = CoveredBytes(a, common);
    const std::vector<bool> covered_b = CoveredBytes(b, common);
    std::size_t differing = 0, first = 0;
    for (std::size_t i = 0; i < common; ++i) {
      if (covered_a[i] || covered_b[i] || a.Image()[i] == b.Image()[i]) continue;
      if (differing++ == 0) first = i;
    }
    if (differing != 0) {
      out.push_back("Image: " + std::to_string(differing) +
                    " байт вне полей различаются, первый по смещению " + std::to_string(first));
    }
  }
  return out;
}

}  // namespace mk::device
