// SPDX-License-Identifier: GPL-3.0-or-later
// Why a COM port cannot be used and what the user can do about it, in the
// words the main window and mkctl both use.
#pragma once

#include <string>

#include "platform/serial_system.h"

namespace mk::platform {

/// "Порт COM3 (/dev/ttyACM0) недоступен: занят другой программой."; the
/// device in brackets only where it is not called "COM3" itself.
std::string PortTrouble(int number, const std::string& name, const PortCheck& check);

/// One sentence: what to do about a port in `state`.
std::string PortFix(PortState state);

/// Both, as one message: the trouble, then on its own line what to do.
std::string PortTroubleWithFix(int number, const std::string& name, const PortCheck& check);

}  // namespace mk::platform
