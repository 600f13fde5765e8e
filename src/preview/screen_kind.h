// SPDX-License-Identifier: GPL-3.0-or-later
// The kinds of MK screens, how many of each the settings image holds, which
// field keeps their places, and which place a click on a preview hits.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace mk::device {
class Record;
}

namespace mk::preview {

enum class ScreenKind { X4, X9, X7, X3, X6, Graph, Arrow };
inline constexpr ScreenKind kScreenKinds[] = {ScreenKind::X4,   ScreenKind::X9, ScreenKind::X7,
                                              ScreenKind::X3,   ScreenKind::X6, ScreenKind::Graph,
                                              ScreenKind::Arrow};

/// "x4", "x9", "x7", "x3", "x6", "graph", "arrow".
std::string_view KindName(ScreenKind kind);
/// The kind of a name KindName gives (a Cyrillic "х" is taken for the Latin "x").
std::optional<ScreenKind> KindFromName(std::string_view name);

/// One screen named as a user writes it: "x4:2" is the second x4 screen.
struct ScreenRef {
  ScreenKind kind = ScreenKind::X4;
  int screen = 0;  // 0-based
};
/// Reads "KIND:N" with N from 1; mk::Error with a Russian message naming
/// what is wrong (an unknown kind, a number the kind does not have).
ScreenRef ParseScreenRef(std::string_view text);

/// Screens of a kind in the settings image: 6, 3, 4, 3, 1, 8, 8. The x3
/// screens are the first three places of the first three x7 screens.
int ScreenCount(ScreenKind kind);
/// Places of one screen: 4, 9, 7, 3, 6, 2, 2.
int PlaceCount(ScreenKind kind);
/// The Display field that holds the places.
std::string_view PlacesField(ScreenKind kind);

/// The parameter codes of screen `screen` (0-based) from the Display record.
std::vector<std::uint8_t> ScreenCodes(const device::Record& display, ScreenKind kind, int screen);
std::uint8_t PlaceCode(const device::Record& display, ScreenKind kind, int screen, int place);
void SetPlaceCode(device::Record& display, ScreenKind kind, int screen, int place,
                  std::uint8_t code);

/// The place a click at (x, y) hits on a preview box of w x h pixels, or none
/// (a graph below y 180, a point outside the box, an empty box); a box smaller
/// than the screen hits what the same point of the screen would. The rows and
/// columns are found by integer division as the MK's tools do, but a point in
/// the few pixels the division leaves over at the right or bottom edge goes to
/// the last row or column instead of a place that does not exist.
std::optional<int> PlaceAt(ScreenKind kind, int x, int y, int w, int h);

}  // namespace mk::preview
