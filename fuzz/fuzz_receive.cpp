// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever bytes a device sends, at whatever pace, the exchange ends with an
// answer or with one of its errors: no crash, no hang, no read outside the
// buffers. Runs on virtual time.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "link/vl_rs.h"
#include "sim/bare_port.h"
#include "text/error.h"

namespace {

using mk::link::IBytePort;

// A device that starts talking when the first request goes out: the fuzz
// bytes, with a pause after every `burst` bytes.
struct Stream {
  std::vector<std::uint8_t> bytes;
  std::vector<std::uint32_t> offsets;  // ms after the first write
  std::size_t next = 0;
  bool started = false;
  std::uint32_t base = 0;
};

class StreamPort final : public mk::sim::BarePort {
 public:
  StreamPort(Stream& stream, mk::link::VirtualClock& clock) : s_(stream), clock_(clock) {}
  void PurgeInput() override {
    while (Ready()) ++s_.next;
  }
  std::size_t Read(std::uint8_t* buffer, std::size_t max) override {
    std::size_t n = 0;
    while (n < max && Ready()) buffer[n++] = s_.bytes[s_.next++];
    return n;
  }
  std::size_t Write(const std::uint8_t*, std::size_t size) override {
    if (!s_.started) {
      s_.started = true;
      s_.base = clock_.TickCount();
    }
    return size;
  }
  bool WaitReadable(std::uint32_t ms) override {
    if (s_.started && s_.next < s_.bytes.size()) {
      const std::uint32_t at = s_.base + s_.offsets[s_.next];
      const std::uint32_t now = clock_.TickCount();
      if (at <= now + ms) {
        clock_.Advance(at > now ? at - now : 0);
        return true;
      }
    }
    clock_.Advance(ms);
    return false;
  }

 private:
  bool Ready() const {
    return s_.started && s_.next < s_.bytes.size() &&
           s_.base + s_.offsets[s_.next] <= clock_.TickCount();
  }
  Stream& s_;
  mk::link::VirtualClock& clock_;
};

class OnePort final : public mk::link::ISerialSystem {
 public:
  OnePort(Stream& stream, mk::link::VirtualClock& clock) : stream_(stream), clock_(clock) {}
  bool Probe(int number) override { return number == 1; }
  std::unique_ptr<IBytePort> Open(int number) override {
    if (number != 1) return nullptr;
    return std::make_unique<StreamPort>(stream_, clock_);
  }
  std::string PortName(int) const override { return "COM1"; }

 private:
  Stream& stream_;
  mk::link::VirtualClock& clock_;
};

class Silent final : public mk::link::IUserPrompt {
 public:
  void ShowError(const std::string&) override {}
  void ShowInfo(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return true; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::uint8_t flags = data[0];
  const std::uint8_t timeout = data[1];
  const std::uint8_t byte_timeout = data[2];
  const std::uint8_t pacing = data[3];

  Stream stream;
  const std::size_t burst = (pacing & 0x0F) + 1u;
  const std::uint32_t pause = (pacing >> 4) * 20u;
  std::uint32_t at = 1;
  for (std::size_t i = 4; i < size; ++i) {
    if ((i - 4) % burst == 0 && i > 4) at += pause;
    stream.bytes.push_back(data[i]);
    stream.offsets.push_back(at);
  }

  mk::link::VirtualClock clock;
  mk::link::NoPump pump;
  Silent prompt;
  OnePort ports(stream, clock);
  mk::link::TVL_RS rs(ports, clock, pump, prompt);
  rs.SetResponseTimeout(static_cast<std::uint16_t>(timeout * 4u));
  rs.SetByteTimeout(byte_timeout);
  rs.SetPortType(flags & 3);
  rs.OpenPort(1);

  try {
    if (flags & 4) {
      rs.DetectAddress();
    } else {
      rs.BeginCommand(253, mk::link::kReadBlock);
      rs.PutWord(static_cast<std::uint16_t>(flags << 4));
      if (flags & 8) {
        rs.TransactOnce();
      } else {
        rs.Transact();
      }
    }
    rs.GetByte();
    rs.GetWord();
    rs.GetString();
    rs.GetWord();
    rs.GetString();
  } catch (const mk::Error&) {
  }
  // Readers after a failed exchange read whatever the buffer holds, safely.
  rs.SeekAnswer(240);
  for (int i = 0; i < 16; ++i) rs.GetWord();
  rs.GetString();
  if (rs.AnswerPos() > 256) __builtin_trap();
  return 0;
}
