// SPDX-License-Identifier: GPL-3.0-or-later
// The decimal separator the windows hand to the core's number texts.
#pragma once

namespace mk::widgets {

/// "," when the user's regional settings write decimals with a comma, else
/// ".": the core's texts take one ASCII character. The system's settings, not
/// a default locale the program may set for the toolkit's own texts.
char DecimalSeparator();

}  // namespace mk::widgets
