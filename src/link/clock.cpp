// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/clock.h"

#include <chrono>
#include <thread>

namespace mk::link {

std::uint32_t SteadyClock::TickCount() {
  using namespace std::chrono;
  return static_cast<std::uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void SteadyClock::Sleep(std::uint32_t ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace mk::link
