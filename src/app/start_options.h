// SPDX-License-Identifier: GPL-3.0-or-later
// What the program's command line asks for: an optional settings file to open
// and the options the demo and the tests use.
#pragma once

#include <QString>
#include <QStringList>

namespace mk::app {

struct StartOptions {
  /// --ini PATH: this preferences file instead of the usual one.
  QString ini;
  /// --lock-name NAME: the single-instance lock's name.
  QString lock_name;
  /// The one argument that is not an option: a settings file to open at start
  /// (a file manager passes the file the user opened this way).
  QString settings_file;
};

/// Reads `args` as QCoreApplication::arguments() gives them (the program
/// first). Options start with "--"; of the other arguments the first is the
/// settings file and any further ones are ignored. Paths are kept as given.
StartOptions ParseStartOptions(const QStringList& args);

}  // namespace mk::app
