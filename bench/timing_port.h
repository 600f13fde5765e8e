// SPDX-License-Identifier: GPL-3.0-or-later
// A byte port that notes when each request leaves and each answer byte is
// taken, so a benchmark can tell the wire from the waiting around it.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/byte_port.h"

namespace mk::bench {

struct Exchange {
  double sent = 0;  // seconds since the port was wrapped
  std::size_t request_bytes = 0;
  double first_byte = -1;  // when the first answer byte was read
  double last_byte = -1;   // when the last one read so far was
  std::size_t answer_bytes = 0;
  std::size_t reads = 0;  // read calls that returned bytes
};

class TimingPort final : public link::IBytePort {
 public:
  explicit TimingPort(std::unique_ptr<link::IBytePort> inner)
      : inner_(std::move(inner)), start_(std::chrono::steady_clock::now()) {}

  std::uint32_t SetBaud(std::uint32_t rate) override { return inner_->SetBaud(rate); }
  void SetByteSize(std::uint8_t bits) override { inner_->SetByteSize(bits); }
  void SetParity(std::uint8_t parity) override { inner_->SetParity(parity); }
  void SetStopBits(std::uint8_t stop_bits) override { inner_->SetStopBits(stop_bits); }
  void SetDTR() override { inner_->SetDTR(); }
  void SetRTS() override { inner_->SetRTS(); }
  void ClearRTS() override { inner_->ClearRTS(); }
  void PurgeInput() override { inner_->PurgeInput(); }
  void PurgeOutput() override { inner_->PurgeOutput(); }
  bool WaitReadable(std::uint32_t ms) override { return inner_->WaitReadable(ms); }

  std::size_t Read(std::uint8_t* buffer, std::size_t max) override {
    const std::size_t n = inner_->Read(buffer, max);
    if (n > 0 && !log.empty()) {
      Exchange& e = log.back();
      const double now = Now();
      if (e.first_byte < 0) e.first_byte = now;
      e.last_byte = now;
      e.answer_bytes += n;
      ++e.reads;
    }
    return n;
  }
  std::size_t Write(const std::uint8_t* data, std::size_t size) override {
    log.push_back({Now(), size});
    return inner_->Write(data, size);
  }

  std::vector<Exchange> log;

 private:
  double Now() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
  }
  std::unique_ptr<link::IBytePort> inner_;
  std::chrono::steady_clock::time_point start_;
};

/// The machine's ports, each one opened wrapped in a TimingPort.
class TimingSystem final : public link::ISerialSystem {
 public:
  explicit TimingSystem(link::ISerialSystem& inner) : inner_(inner) {}

  bool Probe(int number) override { return inner_.Probe(number); }
  std::unique_ptr<link::IBytePort> Open(int number) override {
    auto port = inner_.Open(number);
    if (!port) return nullptr;
    auto timed = std::make_unique<TimingPort>(std::move(port));
    last_opened = timed.get();
    return timed;
  }
  std::string PortName(int number) const override { return inner_.PortName(number); }

  /// The port opened last; null before any opened.
  TimingPort* last_opened = nullptr;

 private:
  link::ISerialSystem& inner_;
};

}  // namespace mk::bench
