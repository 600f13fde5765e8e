#include "link/vl_base_device.h"

namespace mk::link {

void TVLBaseDevice::Activate() {
  Active = true;
  StateChanged();
}

void TVLBaseDevice::Deactivate() {
  Active = false;
  StateChanged();
}

}  // namespace mk::link
