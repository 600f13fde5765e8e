// SPDX-License-Identifier: GPL-3.0-or-later
// The serial ports of this machine as the program and the tools see them:
// COM1..COM32, why a port cannot be opened, and where the MK's USB device is.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "link/byte_port.h"
#include "platform/com_map.h"
#include "text/ini_file.h"

namespace mk::platform {

enum class PortState {
  kFree,      ///< exists and we could open it now
  kMissing,   ///< no such device
  kNoAccess,  ///< exists, but we may not open it
  kBusy,      ///< exists, held by another program
  kFailed,    ///< exists, the open failed for another reason
};

struct PortCheck {
  PortState state = PortState::kMissing;
  std::string reason;  ///< Russian, for lists: "нет доступа (EACCES)", "занят другой программой"
};

/// A USB serial device of the MK found on this machine.
struct MkPort {
  int number = 0;  ///< 1..32
  std::string path;
};

inline constexpr const char* kNoMk = "Не вижу МК.";

class SerialSystem : public link::ISerialSystem {
 public:
  /// Opens and closes the port once to tell whether it could be used now.
  virtual PortCheck Check(int number) = 0;
  bool Probe(int number) override { return Check(number).state == PortState::kFree; }

  /// The MK's USB serial ports (vendor 04D8, product 000A), in the order the
  /// system lists them. Devices whose number lies outside 1..32 are left out.
  virtual std::vector<MkPort> FindMk() = 0;

  /// The number a tool's PORT argument stands for. A path that no number
  /// stands for yet takes a free one (see ComMap::Adopt); on Windows a path
  /// must name a COM port. Returns 0 when no number can be given.
  virtual int Resolve(const PortArgument& arg) = 0;

  /// Takes the port overrides of the preferences file (section "Ports").
  virtual void LoadPreferences(const text::IniFile& ini) = 0;
};

/// The serial ports of the system the program runs on.
std::unique_ptr<SerialSystem> CreateSerialSystem();

}  // namespace mk::platform
