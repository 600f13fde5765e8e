// A stand-in for the settings editor and the two viewers until they exist:
// a small dialog that says what would open here, with OK and Cancel.
#pragma once

#include <QString>

class QWidget;

namespace mk::app {

/// True when closed with OK.
bool RunPlaceholderDialog(QWidget* parent, const QString& title, const QString& text);

}  // namespace mk::app
