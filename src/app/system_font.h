// SPDX-License-Identifier: GPL-3.0-or-later
// The font a user of the system expects in dialogs.
#pragma once

#include <QString>
#include <QStringList>

class QApplication;

namespace mk::app {

/// On Windows, makes the message font of the system's settings (Segoe UI on
/// current Windows) the program's font. The toolkit's default there is the
/// old "MS Shell Dlg 2" alias, which it does not resolve everywhere and then
/// draws in a serif face. The family is named explicitly (ChooseUiFamily),
/// so that a face the system lacks never falls back to a serif one.
/// Elsewhere the toolkit's choice stays.
void UseSystemFont(QApplication& app);

/// `wanted` when it is among `installed` (case aside), else the first sans
/// serif face of the Windows desktops and of Wine that is, else `wanted`.
QString ChooseUiFamily(const QString& wanted, const QStringList& installed);

}  // namespace mk::app
