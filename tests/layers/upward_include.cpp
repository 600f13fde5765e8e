// SPDX-License-Identifier: GPL-3.0-or-later
// Compiled with the link library's include folders alone: the device model is
// a layer above the link, so this include must not be found.
#include "device/mk.h"
