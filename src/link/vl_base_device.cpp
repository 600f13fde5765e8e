// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/vl_base_device.h"

namespace mk::link {

void TVLBaseDevice::Activate() {
  active_ = true;
  StateChanged();
}

void TVLBaseDevice::Deactivate() {
  active_ = false;
  StateChanged();
}

}  // namespace mk::link
