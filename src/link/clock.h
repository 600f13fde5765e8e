// SPDX-License-Identifier: GPL-3.0-or-later
// Time and the window pump, injected so that waits keep the window alive in
// the program and run on virtual time in tests.
#pragma once

#include <cstdint>

namespace mk::link {

/// A millisecond tick count and a sleep.
class IClock {
 public:
  virtual ~IClock() = default;
  virtual std::uint32_t TickCount() = 0;
  virtual void Sleep(std::uint32_t ms) = 0;
};

/// Lets the window system process what is pending (repaints, the progress
/// window's Cancel). A command-line tool pumps nothing.
class IPump {
 public:
  virtual ~IPump() = default;
  virtual void ProcessMessages() = 0;
};

/// The real clock: a monotonic millisecond count.
class SteadyClock final : public IClock {
 public:
  std::uint32_t TickCount() override;
  void Sleep(std::uint32_t ms) override;
};

/// Virtual time for tests: Sleep only moves the count forward.
class VirtualClock final : public IClock {
 public:
  std::uint32_t TickCount() override { return now_; }
  void Sleep(std::uint32_t ms) override { now_ += ms; }
  void Advance(std::uint32_t ms) { now_ += ms; }

 private:
  std::uint32_t now_ = 0;
};

class NoPump final : public IPump {
 public:
  void ProcessMessages() override {}
};

}  // namespace mk::link
