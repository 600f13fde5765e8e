// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/fake_line.h"

#include <algorithm>

namespace mk::link::testing {

Bytes Frame(std::uint8_t address, std::uint8_t status, const Bytes& data, std::uint16_t header) {
  // Sized first: GCC 12 takes an insert after a short initializer list for an overflow.
  Bytes f(data.size() + 5, 0);
  f[0] = static_cast<std::uint8_t>(f.size() + 1);
  f[1] = address;
  f[2] = static_cast<std::uint8_t>(header);
  f[3] = static_cast<std::uint8_t>(header >> 8);
  f[4] = status;
  std::copy(data.begin(), data.end(), f.begin() + 5);
  std::uint8_t sum = 0;
  for (std::uint8_t b : f) sum = static_cast<std::uint8_t>(sum + b);
  f.push_back(static_cast<std::uint8_t>(-sum));
  return f;
}

std::uint32_t FakeLine::SetBaud(std::uint32_t rate) {
  events.push_back("baud " + std::to_string(rate));
  return baud_readback == 0 ? rate : baud_readback;
}

std::size_t FakeLine::Read(std::uint8_t* buffer, std::size_t max) {
  ++reads;
  std::size_t n = 0;
  while (n < max && !pending_.empty() && pending_.front().first <= clock_.TickCount()) {
    buffer[n++] = pending_.front().second;
    pending_.pop_front();
  }
  return n;
}

std::size_t FakeLine::Write(const std::uint8_t* data, std::size_t size) {
  events.push_back("write " + std::to_string(size));
  if (gone) return 0;
  writes.emplace_back(data, data + size);
  write_times.push_back(clock_.TickCount());
  if (echo) Schedule(clock_.TickCount(), writes.back());
  if (replies_.empty()) return size;
  std::uint32_t at = clock_.TickCount();
  for (const Piece& piece : replies_.front()) {
    at += piece.delay;
    Schedule(at, piece.bytes);
  }
  replies_.pop_front();
  return size;
}

bool FakeLine::WaitReadable(std::uint32_t ms) {
  ++waits;
  const std::uint32_t now = clock_.TickCount();
  if (!pending_.empty() && pending_.front().first <= now + ms) {
    clock_.Advance(std::max(pending_.front().first, now) - now);
    return true;
  }
  clock_.Advance(ms);
  return false;
}

void FakeLine::PurgeInput() {
  events.push_back("purge-in");
  while (!pending_.empty() && pending_.front().first <= clock_.TickCount()) pending_.pop_front();
}

void FakeLine::Schedule(std::uint32_t at, const Bytes& bytes) {
  // Pieces never overtake what is already on the line.
  if (!pending_.empty()) at = std::max(at, pending_.back().first);
  for (std::uint8_t b : bytes) pending_.emplace_back(at, b);
}

namespace {

class FakePort final : public IBytePort {
 public:
  FakePort(FakeLine& line, int number) : line_(line) {
    line_.events.push_back("open " + std::to_string(number));
  }
  ~FakePort() override { line_.events.push_back("close"); }

  std::uint32_t SetBaud(std::uint32_t rate) override { return line_.SetBaud(rate); }
  void SetByteSize(std::uint8_t bits) override { Log("bits", bits); }
  void SetParity(std::uint8_t parity) override { Log("parity", parity); }
  void SetStopBits(std::uint8_t stop_bits) override { Log("stop", stop_bits); }
  void SetDTR() override { line_.events.push_back("dtr"); }
  void SetRTS() override { line_.events.push_back("rts+"); }
  void ClearRTS() override { line_.events.push_back("rts-"); }
  void PurgeInput() override { line_.PurgeInput(); }
  void PurgeOutput() override { line_.events.push_back("purge-out"); }
  std::size_t Read(std::uint8_t* buffer, std::size_t max) override {
    return line_.Read(buffer, max);
  }
  std::size_t Write(const std::uint8_t* data, std::size_t size) override {
    return line_.Write(data, size);
  }
  bool WaitReadable(std::uint32_t ms) override { return line_.WaitReadable(ms); }

 private:
  void Log(const char* what, int value) {
    line_.events.push_back(std::string(what) + " " + std::to_string(value));
  }
  FakeLine& line_;
};

}  // namespace

std::unique_ptr<IBytePort> FakeSerialSystem::Open(int number) {
  open_attempts.push_back(number);
  if (present.count(number) == 0 && hidden.count(number) == 0) return nullptr;
  return std::make_unique<FakePort>(line_, number);
}

}  // namespace mk::link::testing
