// SPDX-License-Identifier: GPL-3.0-or-later
// Wires the main window to this machine's serial ports and its MK lookup.
#pragma once

#include "app/main_form.h"

namespace mk::app {

/// Fills `make_ports` with the platform's serial ports (taking the COM number
/// overrides of the preferences file), `find_mk` with its USB lookup and
/// `connection_check` with its report of what stands in the way.
void UsePlatformPorts(MainFormServices& services);

}  // namespace mk::app
