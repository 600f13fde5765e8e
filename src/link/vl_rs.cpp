// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/vl_rs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "link/line_speed.h"
#include "text/cp1251.h"
#include "text/error.h"

namespace mk::link {
namespace {

constexpr std::uint8_t kSmallestAnswer = 6;
constexpr std::uint8_t kIdentifyAnswer = 6 + 3;    // a byte, then the device version
constexpr std::uint8_t kReadBlockAnswer = 6 + 32;  // one page of memory
// An answer's data follow its length, address, two header bytes and status.
constexpr std::int32_t kAnswerData = 5;
constexpr int kAttempts = 3;
constexpr std::uint32_t kRetryPauseMs = 50;
constexpr std::uint32_t kLineTurnaroundMs = 20;
// Longest single wait in the OS, so the window is pumped often enough.
constexpr std::uint32_t kWaitSliceMs = 5;

// Lowers RTS and restores the priorities however the half-duplex send ends.
class Turnaround {
 public:
  Turnaround(TVL_RS& rs, IPriorityBoost* boost) : rs_(rs), boost_(boost) {
    rs_.SetRTS();
    if (boost_ != nullptr) boost_->Raise();
  }
  ~Turnaround() {
    rs_.ClearRTS();
    if (boost_ != nullptr) boost_->Restore();
  }
  Turnaround(const Turnaround&) = delete;
  Turnaround& operator=(const Turnaround&) = delete;

 private:
  TVL_RS& rs_;
  IPriorityBoost* boost_;
};

}  // namespace

TVL_RS::TVL_RS(ISerialSystem& ports, IClock& clock, IPump& pump, IUserPrompt& prompt)
    : TVL_RS_Base(ports, clock, pump, prompt) {
  SetSectionName("RS232");
}

std::string TVL_RS::GetString() {
  std::string bytes;
  const auto end = static_cast<std::int32_t>(answer_.size());
  for (;;) {
    // The end of the buffer ends a string that has no terminating 0.
    if (answer_pos_ >= end) {
      answer_pos_ = end;
      break;
    }
    const std::uint8_t b = GetByte();
    if (b == 0) break;
    bytes.push_back(static_cast<char>(b));
  }
  return text::Cp1251ToUtf8(bytes);
}

void TVL_RS::BeginCommand(std::uint8_t address, std::uint8_t command) {
  BeginRequest();
  PutByte(address);
  PutWord(1);
  PutByte(command);
}

void TVL_RS::Transact() {
  EndRequest();
  if (port_type_ != 0) clock_.Sleep(kLineTurnaroundMs);
  std::optional<std::uint32_t> first_lost;  // when the first attempt without its answer began
  for (int attempt = 1;; ++attempt) {
    try {
      Attempt();
      break;
    } catch (const Error&) {
      if (attempt == kAttempts) throw;
      if (awaiting_answer_ && !first_lost) first_lost = last_sent_;
    }
    clock_.Sleep(kRetryPauseMs);
  }
  // The answer to a retry may be the late one of an earlier attempt; then the
  // answers of the later attempts follow it as far apart as those attempts
  // were sent, and the next request must not take one of them for its own.
  if (first_lost) MarkUnsettled(last_sent_ - *first_lost + response_timeout_);
  answer_pos_ = kAnswerData;
}

void TVL_RS::TransactOnce() {
  EndRequest();
  if (port_type_ != 0) clock_.Sleep(kLineTurnaroundMs);
  Attempt();
  answer_pos_ = kAnswerData;
}

void TVL_RS::Command(std::uint8_t address, std::uint8_t command) {
  BeginCommand(address, command);
  Transact();
}

int TVL_RS::DetectAddress() {
  if (!IsOpen()) return -1;
  if (port_type_ != 0 && !prompt_.AskYesNo(kOnlyOneDevice)) return -1;
  // Address 0, header word 0 and command 0: whoever is on the line answers
  // with its own address.
  BeginRequest();
  for (int i = 0; i < 4; ++i) PutByte(0);
  Transact();
  return answer_[1];
}

void TVL_RS::Send() {
  awaiting_answer_ = false;
  Port();  // no link at all fails here, before any line is touched
  const bool half_duplex = port_type_ == 2;
  std::optional<Turnaround> turnaround;
  if (half_duplex) turnaround.emplace(*this, boost_);

  const std::size_t n = request_[0] == 0 ? 256 : request_[0];
  PurgeInput();
  PurgeOutput();
  // A request that cannot go out wholly gets no answer: a device pulled out
  // of the USB socket fails here at once instead of after the answer time.
  Log(FrameDirection::Sent, std::span(request_).first(n), {});
  if (Port().Write(request_.data(), n) < n) throw Error(kNoLink);

  if (half_duplex) {
    // On a two-wire line we hear our own request; it is read and dropped.
    try {
      Receive();
    } catch (const Error&) {
    }
  }
  awaiting_answer_ = true;
}

void TVL_RS::Receive() {
  std::size_t received = 0;
  try {
    ReceiveAnswer(received);
  } catch (const Error& e) {
    Log(FrameDirection::Received, std::span(answer_).first(received), e.what());
    throw;
  }
  Log(FrameDirection::Received, std::span(answer_).first(received), {});
}

void TVL_RS::ReceiveAnswer(std::size_t& received) {
  // The first byte may take the answer time plus the time our request needs
  // on the wire.
  const double wire_ms =
      BaudRate() == 0 ? 0.0
                      : std::round(9600.0 / BaudRate() * static_cast<double>(request_length_));
  const auto first_timeout = static_cast<std::uint32_t>(response_timeout_ + wire_ms);
  if (ReadWithin(&answer_[0], 1, clock_.TickCount(), first_timeout, false) == 0) {
    throw Error(kNoLink);
  }
  received = 1;
  // The length byte alone tells a broken answer; nothing more is waited for.
  const std::size_t length = answer_[0];
  if (length < kSmallestAnswer) throw Error(kNoLink);

  for (std::size_t i = 1; i < length;) {
    const std::size_t got =
        ReadWithin(&answer_[i], length - i, clock_.TickCount(), byte_timeout_, true);
    if (got == 0) throw Error(kByteDelay);
    i += std::min(got, length - i);
    received = i;
  }
  awaiting_answer_ = false;  // whole, though maybe garbled: nothing more of it comes
  if (!AnswerValid()) throw Error(std::string(kExchangeError) + "(0)");
}

void TVL_RS::Exchange() {
  Send();
  Receive();
  if (answer_[1] == 0 && answer_[2] == 0 && answer_[3] == 0) {
    throw Error(std::string(kExchangeError) + "(4)");
  }
  if (answer_[4] == 255) throw Error(kBusy);
  CheckAnswerFits();
}

void TVL_RS::CheckAnswerFits() {
  // Frames carry nothing that names the request they answer, but the answers
  // of Identify and ReadBlock have fixed lengths: a frame of another length
  // is a late answer to something else (maybe another program's) and more of
  // them may follow.
  const bool mk_command = request_[2] == 1 && request_[3] == 0;
  std::uint8_t expected = 0;
  if (mk_command && request_[4] == kIdentify) expected = kIdentifyAnswer;
  if (mk_command && request_[4] == kReadBlock) expected = kReadBlockAnswer;
  if (expected == 0 || answer_[0] == expected) return;
  MarkUnsettled(response_timeout_);
  throw Error(std::string(kExchangeError) + " Ответ длиной " + std::to_string(answer_[0]) +
              " байт не подходит к запросу (нужно " + std::to_string(expected) + ").");
}

void TVL_RS::PortOpened() {
  fresh_port_ = true;
  opened_at_ = clock_.TickCount();
}

void TVL_RS::Log(FrameDirection direction, std::span<const std::uint8_t> bytes,
                 std::string_view note) {
  // The request's command byte names the answer too.
  if (log_ != nullptr) log_->Frame(clock_.TickCount(), direction, bytes, request_[4], note);
}

void TVL_RS::SetPortType(std::uint8_t n) {
  port_type_ = n < 3 ? n : 0;
}

void TVL_RS::Attempt() {
  if (fresh_port_) {
    // Quiet for one answer time, counted from the opening, as after a lost answer.
    fresh_port_ = false;
    if (!unsettled_) {
      unsettled_ = true;
      unsettled_since_ = opened_at_;
      settle_quiet_ms_ = response_timeout_;
    }
  }
  Settle();
  last_sent_ = clock_.TickCount();
  try {
    Exchange();
  } catch (const Error&) {
    // An answer that went out but did not come whole may still come late.
    if (awaiting_answer_) MarkUnsettled(response_timeout_);
    throw;
  }
}

void TVL_RS::MarkUnsettled(std::uint32_t quiet_ms) {
  unsettled_ = true;
  unsettled_since_ = clock_.TickCount();
  settle_quiet_ms_ = quiet_ms;
}

void TVL_RS::Settle() {
  if (!unsettled_) return;
  std::array<std::uint8_t, 256> dropped{};
  std::uint32_t quiet_from = unsettled_since_;
  for (;;) {
    pump_.ProcessMessages();
    const bool heard = Port().Read(dropped.data(), dropped.size()) > 0;
    const std::uint32_t now = clock_.TickCount();
    if (heard) {
      quiet_from = now;
      continue;
    }
    const std::uint32_t quiet = now - quiet_from;  // wraps correctly at 2^32 ms
    if (quiet >= settle_quiet_ms_) break;
    const std::uint32_t wait = std::min(settle_quiet_ms_ - quiet, kWaitSliceMs);
    if (!Port().WaitReadable(wait) && clock_.TickCount() == now) clock_.Sleep(1);
  }
  unsettled_ = false;
}

IBytePort& TVL_RS::Port() {
  IBytePort* port = OpenedPort();
  if (port == nullptr) throw Error(kNoLink);
  return *port;
}

std::size_t TVL_RS::ReadWithin(std::uint8_t* into, std::size_t max, std::uint32_t start,
                               std::uint32_t timeout, bool pump_first) {
  for (;;) {
    if (pump_first) pump_.ProcessMessages();
    // Fetched afresh each round: the pump may have run code that closed it.
    const std::size_t got = Port().Read(into, max);
    const std::uint32_t now = clock_.TickCount();
    if (!pump_first) pump_.ProcessMessages();
    if (got > 0) return got;
    const std::uint32_t elapsed = now - start;  // wraps correctly at 2^32 ms
    if (elapsed > timeout) return 0;
    const std::uint32_t wait = std::min(timeout - elapsed + 1, kWaitSliceMs);
    // A port that cannot wait (or a wait that ended at once) must not turn
    // this into a busy loop: then sleep like a plain poller would.
    if (!Port().WaitReadable(wait) && clock_.TickCount() == now) clock_.Sleep(1);
  }
}

}  // namespace mk::link
