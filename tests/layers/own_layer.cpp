// SPDX-License-Identifier: GPL-3.0-or-later
// Compiled with the include folders of the link library and the one below it.
#include "link/vl_rs.h"
#include "text/error.h"
