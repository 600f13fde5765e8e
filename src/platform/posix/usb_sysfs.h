// Finding USB serial devices by vendor and product id in Linux's sysfs.
#pragma once

#include <string>
#include <vector>

namespace mk::platform {

/// The device paths ("/dev/ttyACM0") of the ttys under `sysfs_root`
/// ("/sys" on a real system) whose USB device has the given vendor and product
/// id (hexadecimal, any case), in natural name order (ttyACM2 before ttyACM10).
std::vector<std::string> FindUsbTtys(const std::string& sysfs_root, const std::string& vendor,
                                     const std::string& product);

}  // namespace mk::platform
