// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/start_options.h"

namespace mk::app {

StartOptions ParseStartOptions(const QStringList& args) {
  StartOptions options;
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& arg = args.at(i);
    const bool has_value = i + 1 < args.size();
    if (arg == QLatin1String("--ini")) {
      if (has_value) options.ini = args.at(++i);
    } else if (arg == QLatin1String("--lock-name")) {
      if (has_value) options.lock_name = args.at(++i);
    } else if (arg.startsWith(QLatin1String("--"))) {
      // An option of a later version: not a file to open.
    } else if (options.settings_file.isEmpty() && !arg.isEmpty()) {
      options.settings_file = arg;
    }
  }
  return options;
}

}  // namespace mk::app
