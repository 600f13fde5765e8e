// SPDX-License-Identifier: GPL-3.0-or-later
// Showing and setting the values the window draws by hand, as text: a screen
// place by its parameter, a colour word as red, green, blue, a hot menu as
// its item identifiers, the block selection as block numbers.
#pragma once

#include <string>
#include <string_view>

#include "device/mk.h"
#include "settings/env.h"
#include "settings/setting.h"

namespace mk::settings {

/// Whether ShowDrawn and friends handle the kind.
bool IsDrawnKind(Kind kind);

/// Param: the parameter's name, "нет" for 0; Color: "R,G,B" (0 ... 31 each);
/// HotMenu: the identifiers of the non-empty entries, ", " between them;
/// BlockList: the selected block numbers, ", " between them.
std::string ShowDrawn(const Setting& s, const device::TMK& mk, const Env& env);
/// The same as the image holds it: the code, the colour word, the ten codes.
std::string DrawnStored(const Setting& s, const device::TMK& mk);
/// A code no parameter or menu item has.
bool DrawnOutOfRange(const Setting& s, const device::TMK& mk, const Env& env);
/// The reverse of ShowDrawn; a parameter also by its code, a hot-menu item
/// also by its code. mk::Error naming the setting for anything else.
void CommitDrawn(const Setting& s, device::TMK& mk, const Env& env, std::string_view text);

}  // namespace mk::settings
