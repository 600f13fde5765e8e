// SPDX-License-Identifier: GPL-3.0-or-later
// What identifies the MK's USB serial device, and how its COM number is
// told on Windows: from the friendly name the driver gives it.
#pragma once

#include <optional>
#include <string_view>

namespace mk::platform {

inline constexpr const char* kMkVendor = "04D8";
inline constexpr const char* kMkProduct = "000A";
inline constexpr const wchar_t* kMkRegistryKey =
    L"SYSTEM\\CurrentControlSet\\Enum\\USB\\Vid_04d8&Pid_000a";

/// The COM number in a friendly name such as "Varneko USB Serial (COM12)":
/// the name must contain "Varneko" and "COM", and the one or two digits right
/// after the first "COM" give the number. Nothing for any other name, for a
/// number outside 1..32, or for three or more digits (COM123 is not COM12).
std::optional<int> ComNumberFromFriendlyName(std::string_view name);

}  // namespace mk::platform
