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
  /// --help or -h: print StartUsage() and end, before any window or display.
  bool help = false;
  /// --version: print the version and end.
  bool version = false;
};

/// Reads `args` as QCoreApplication::arguments() gives them (the program
/// first). Options start with "--"; of the other arguments the first is the
/// settings file and any further ones are ignored. Paths are kept as given.
StartOptions ParseStartOptions(const QStringList& args);

/// Reads the command line as main() gets it, before any QApplication exists
/// (so that --help and --version need no display).
StartOptions ParseStartOptions(int argc, const char* const* argv);

/// The --help text.
const char* StartUsage();

}  // namespace mk::app
