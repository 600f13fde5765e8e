// Wires the main window to this machine's serial ports and its MK lookup.
#pragma once

#include "app/main_form.h"

namespace mk::app {

/// Fills `make_ports` with the platform's serial ports (taking the COM number
/// overrides of the preferences file) and `find_mk` with its USB lookup.
void UsePlatformPorts(MainFormServices& services);

}  // namespace mk::app
