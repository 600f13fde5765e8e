// SPDX-License-Identifier: GPL-3.0-or-later
// A scripted serial line on virtual time: ports that exist or not, and a
// device that answers each write with given bytes at given times, or not at all.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "link/byte_port.h"
#include "link/clock.h"
#include "support/recording_prompt.h"

namespace mk::link::testing {

using Bytes = std::vector<std::uint8_t>;

/// A whole frame with its length byte and checksum.
Bytes Frame(std::uint8_t address, std::uint8_t status, const Bytes& data = {},
            std::uint16_t header = 1);

/// Bytes that arrive `delay` ms after the previous piece (or after the write).
struct Piece {
  std::uint32_t delay;
  Bytes bytes;
};

class FakeLine {
 public:
  explicit FakeLine(VirtualClock& clock) : clock_(clock) {}

  /// Queues the reply to the next write that has none yet; {} stays silent.
  void Reply(std::vector<Piece> pieces) { replies_.push_back(std::move(pieces)); }
  void Reply(const Bytes& frame) { Reply({{1, frame}}); }

  /// Everything in order: "open 3", "baud 115200", "dtr", "purge-in",
  /// "write 6", "rts+", "rts-", "close", ...
  std::vector<std::string> events;
  std::vector<Bytes> writes;
  std::vector<std::uint32_t> write_times;
  bool echo = false;                // a two-wire line hears its own request
  bool gone = false;                // the device was pulled out: writes take nothing
  std::uint32_t baud_readback = 0;  // 0: the rate set is reported back
  int waits = 0;
  int reads = 0;

  // What the port does.
  std::uint32_t SetBaud(std::uint32_t rate);
  std::size_t Read(std::uint8_t* buffer, std::size_t max);
  std::size_t Write(const std::uint8_t* data, std::size_t size);
  bool WaitReadable(std::uint32_t ms);
  void PurgeInput();

 private:
  void Schedule(std::uint32_t at, const Bytes& bytes);

  VirtualClock& clock_;
  std::deque<std::vector<Piece>> replies_;
  std::deque<std::pair<std::uint32_t, std::uint8_t>> pending_;  // arrival time, byte
};

class FakeSerialSystem final : public ISerialSystem {
 public:
  FakeSerialSystem(FakeLine& line, std::set<int> ports) : present(std::move(ports)), line_(line) {}

  bool Probe(int number) override { return present.count(number) > 0; }
  std::unique_ptr<IBytePort> Open(int number) override;
  std::string PortName(int number) const override { return "COM" + std::to_string(number); }

  std::set<int> present;
  std::set<int> hidden;  // not found by a scan, yet they open
  std::vector<int> open_attempts;

 private:
  FakeLine& line_;
};

using FakePrompt = tests::RecordingPrompt;

class CountingPump final : public IPump {
 public:
  void ProcessMessages() override { ++count; }
  int count = 0;
};

}  // namespace mk::link::testing
