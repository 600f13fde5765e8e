// SPDX-License-Identifier: GPL-3.0-or-later
// Finding USB serial devices by vendor and product id in Linux's sysfs.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mk::platform {

/// The device paths ("/dev/ttyACM0") of the ttys under `sysfs_root`
/// ("/sys" on a real system) whose USB device has the given vendor and product
/// id (hexadecimal, any case), in natural name order (ttyACM2 before ttyACM10).
/// The lower-case vendor and product ids of the USB device a tty's "device"
/// folder belongs to; nothing when it is not on USB.
std::optional<std::pair<std::string, std::string>> UsbIdsOf(const std::string& device);

/// Device names in natural order: ttyACM2 before ttyACM10.
bool NaturalLess(const std::string& a, const std::string& b);

std::vector<std::string> FindUsbTtys(const std::string& sysfs_root, const std::string& vendor,
                                     const std::string& product);

}  // namespace mk::platform
