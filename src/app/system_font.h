// SPDX-License-Identifier: GPL-3.0-or-later
// The font a user of the system expects in dialogs.
#pragma once

class QApplication;

namespace mk::app {

/// On Windows, makes the message font of the system's settings (Segoe UI on
/// current Windows) the program's font. The toolkit's default there is the
/// old "MS Shell Dlg 2" alias, which it does not resolve everywhere and then
/// draws in a serif face. Elsewhere the toolkit's choice stays.
void UseSystemFont(QApplication& app);

}  // namespace mk::app
