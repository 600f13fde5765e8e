// SPDX-License-Identifier: GPL-3.0-or-later
// The show-display boxes of "Разное": which screens are in the MK's rotation,
// one bit of a flag word per box, with the captions and visibility the
// variant and the selected protocol give them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/catalogues.h"

namespace mk::device {
class Record;
}

namespace mk::settings {

inline constexpr std::string_view kShowDisplaysCaption = "Показывать дисплеи";
/// Boxes of the x1 group: one per parameter of the protocol, at most 40, in
/// eight sub-groups "#1" ... "#8" of five.
inline constexpr int kX1Boxes = 40;
inline constexpr int kX1BoxesPerGroup = 5;

struct ShowBox {
  std::string object_name;  // "cbShowDisp_4_0"
  std::string caption;
  std::string_view field;  // "ShowDisp4"
  int bit = 0;
  bool shown = true;  // a hidden box is also unchecked and never written
};

struct ShowGroup {
  std::string caption;
  std::vector<ShowBox> boxes;
  /// For the x1 group: boxes laid out in sub-groups of this many, "#1" ... "#8".
  int boxes_per_group = 0;
};

/// The groups "x4", "x9", "x7" (or "x3"), "Графики", "Стрелки", "x6",
/// "Средние" and "x1", in that order, for the variant's `features` and the
/// selected protocol (none: no x1 box shown).
std::vector<ShowGroup> ShowDisplayGroups(catalog::Features features,
                                         const catalog::TProtBase* protocol,
                                         const catalog::MeasParamCatalogue& params);
std::vector<ShowGroup> ShowDisplayGroups(const catalog::Catalogues& catalogues);

/// Bit `bit` of the flag word `field` (ShowDisp1 is 64 bits over two words).
bool ShowBit(const device::Record& display, std::string_view field, int bit);
/// Sets or clears that bit and nothing else.
void SetShowBit(device::Record& display, std::string_view field, int bit, bool on);

}  // namespace mk::settings
