// SPDX-License-Identifier: GPL-3.0-or-later
// Facts about a Linux machine that the connection check judges: serial ttys
// and their USB devices, who holds a device open, which programs run, the
// group database and the installed udev rules. Every path is read below a
// root given by the caller.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace mk::platform {

/// A tty with hardware behind it.
struct SerialTty {
  std::string name;  ///< "ttyACM0"
  bool usb = false;
  std::string vendor, product;    ///< lower-case hex ids of its USB device
  std::string driver;             ///< "cdc_acm", "ftdi_sio", "serial" ...
  std::optional<int> latency_ms;  ///< the adapter's latency timer, where it has one
  std::string device_dir;         ///< the tty's device folder below the sysfs root
};

/// The ttys under `sys`/class/tty with a device: USB ones, and UARTs the
/// kernel found (a ttyS placeholder without a UART is left out). Natural
/// name order.
std::vector<SerialTty> SerialTtys(const std::string& sys);

/// True when `sys`/bus/usb/devices has a device with these ids (any case).
bool UsbDevicePresent(const std::string& sys, const std::string& vendor,
                      const std::string& product);

struct Process {
  int pid = 0;
  std::string name;  ///< its comm
};

/// Every process under `proc`.
std::vector<Process> Processes(const std::string& proc);

/// The processes but `skip_pid` that have `device` ("/dev/ttyACM0") open.
/// `hidden` counts those whose open files we may not see (another user's,
/// without root).
std::vector<Process> Holders(const std::string& proc, const std::string& device, int skip_pid,
                             int& hidden);

/// The group database (`etc`/group) and the user names (`etc`/passwd).
struct Accounts {
  std::string GroupName(unsigned gid) const;
  std::string UserName(unsigned uid) const;
  /// True when /etc/group lists `user` in `gid` (or it is the user's own).
  bool Member(const std::string& user, unsigned gid, unsigned primary_gid) const;

  struct Group {
    unsigned gid;
    std::string name;
    std::vector<std::string> members;
  };
  std::vector<Group> groups;
  std::vector<std::pair<unsigned, std::string>> users;
};
Accounts ReadAccounts(const std::string& etc);

/// The udev rule file (a path below the roots, as the system names it) that
/// matches the MK's ids, in `etc`/udev/rules.d or `lib_udev`/rules.d; a file
/// in /etc overrides one of the same name below /lib. Nothing when none does.
struct MkRule {
  std::string path;  ///< "/etc/udev/rules.d/60-mk.rules"
  bool uaccess = false;
  bool modem_manager_ignore = false;
};
std::optional<MkRule> FindMkRule(const std::string& etc, const std::string& lib_udev);

/// brltty's configuration or udev rules are there.
bool BrlttyInstalled(const std::string& etc, const std::string& lib_udev);

}  // namespace mk::platform
