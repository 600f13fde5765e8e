// SPDX-License-Identifier: GPL-3.0-or-later
// The picture in the main window's corner (Image1), drawn rather than shipped.
#pragma once

#include <QPixmap>

namespace mk::app {

/// A 240 x 40 picture: a stylised dial beside the letters "МК".
QPixmap MakeLogo();

}  // namespace mk::app
