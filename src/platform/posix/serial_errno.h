// SPDX-License-Identifier: GPL-3.0-or-later
// Short errno names for messages ("EACCES"), the same on every libc.
#pragma once

#include <string>

namespace mk::platform {

std::string ErrnoName(int err);

}  // namespace mk::platform
