// SPDX-License-Identifier: GPL-3.0-or-later
// The virtual MK on a line with an ideal operating system: time is virtual and
// counted in nanoseconds, a wait ends the moment an answer byte is there and
// the client's own work takes no time. What a transfer costs on it beyond the
// wire is the link's own waiting, free of the machine's load.
#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "link/byte_port.h"
#include "link/clock.h"
#include "sim/answer_schedule.h"
#include "sim/bare_port.h"
#include "sim/virtual_mk.h"

namespace mk::bench {

class NanoClock final : public link::IClock {
 public:
  std::uint32_t TickCount() override { return static_cast<std::uint32_t>(now_ns / 1'000'000); }
  void Sleep(std::uint32_t ms) override { now_ns += std::uint64_t{ms} * 1'000'000; }
  std::uint64_t now_ns = 0;
};

class VirtualLinePort final : public sim::BarePort {
 public:
  VirtualLinePort(sim::VirtualMK& mk, NanoClock& clock, sim::WireTiming timing)
      : clock_(clock), schedule_(&mk) {
    schedule_.SetWireTiming(timing);
  }

  void PurgeInput() override { schedule_.DropDue(clock_.now_ns); }
  std::size_t Read(std::uint8_t* buffer, std::size_t max) override {
    return schedule_.TakeDue(clock_.now_ns, buffer, max);
  }
  std::size_t Write(const std::uint8_t* data, std::size_t size) override {
    schedule_.Send(std::span(data, size), clock_.now_ns);
    return size;
  }
  bool WaitReadable(std::uint32_t ms) override {
    const std::uint64_t until = clock_.now_ns + std::uint64_t{ms} * 1'000'000;
    const auto due = schedule_.NextDue();
    if (due && *due <= until) {
      clock_.now_ns = std::max(clock_.now_ns, *due);
      return true;
    }
    clock_.now_ns = until;
    return false;
  }

 private:
  NanoClock& clock_;
  sim::AnswerSchedule schedule_;
};

/// COM1 with the virtual MK on it.
class VirtualLineSystem final : public link::ISerialSystem {
 public:
  VirtualLineSystem(sim::VirtualMK& mk, NanoClock& clock, sim::WireTiming timing)
      : mk_(mk), clock_(clock), timing_(timing) {}

  bool Probe(int number) override { return number == 1; }
  std::unique_ptr<link::IBytePort> Open(int number) override {
    if (number != 1) return nullptr;
    return std::make_unique<VirtualLinePort>(mk_, clock_, timing_);
  }
  std::string PortName(int) const override { return "COM1"; }

 private:
  sim::VirtualMK& mk_;
  NanoClock& clock_;
  sim::WireTiming timing_;
};

}  // namespace mk::bench
