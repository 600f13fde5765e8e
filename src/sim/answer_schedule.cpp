// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/answer_schedule.h"

#include <algorithm>

#include "sim/virtual_mk.h"

namespace mk::sim {

std::optional<WireTiming> WireTimingNamed(std::string_view name) {
  if (name == "bytes") return WireTiming::kBytes;
  if (name == "whole") return WireTiming::kWhole;
  if (name == "usb") return WireTiming::kUsb;
  return std::nullopt;
}

std::vector<std::uint64_t> AnswerSchedule::Arrivals(std::uint64_t first_ns,
                                                    std::size_t count) const {
  std::vector<std::uint64_t> at(count, first_ns);
  if (timing_ == WireTiming::kOff || count == 0) return at;
  const std::uint64_t end = first_ns + WireTimeNs(count);
  for (std::size_t i = 0; i < count; ++i) {
    // A byte can be read once its last bit is in.
    const std::uint64_t in = first_ns + WireTimeNs(i + 1);
    switch (timing_) {
      case WireTiming::kBytes:
        at[i] = in;
        break;
      case WireTiming::kWhole:
        at[i] = end;
        break;
      case WireTiming::kUsb: {
        // A packet goes up at every millisecond of the answer and when the line
        // goes idle at its end. At this rate a millisecond holds 10 or 11 bytes,
        // so a packet's 64 are never filled.
        const std::uint64_t frame_end =
            first_ns + (in - first_ns + kUsbFrameNs - 1) / kUsbFrameNs * kUsbFrameNs;
        at[i] = std::min(end, frame_end);
        break;
      }
      case WireTiming::kOff:
        break;
    }
  }
  return at;
}

void AnswerSchedule::Send(std::span<const std::uint8_t> bytes, std::uint64_t now_ns) {
  ++sends_;
  if (mk_ == nullptr || bytes.empty()) return;
  // Bytes written while earlier ones are still on the wire queue up behind them.
  const bool paced = Paced();
  const std::uint64_t start = paced ? std::max(now_ns, in_free_ns_) : now_ns;
  if (paced) in_free_ns_ = start + WireTimeNs(bytes.size());
  const std::uint64_t turnaround = timing_ == WireTiming::kBytes ? kTurnaroundNs : 0;
  for (const Reply& reply : mk_->Receive(bytes, start / 1000)) {
    const std::uint64_t heard = paced ? start + WireTimeNs(reply.request_end) + turnaround : start;
    std::uint64_t first = heard + std::uint64_t{reply.delay_ms} * 1'000'000;
    // The MK answers one request after the other on a single line.
    if (!queue_.empty()) first = std::max(first, queue_.back().at_ns);
    const auto at = Arrivals(first, reply.bytes.size());
    for (std::size_t i = 0; i < reply.bytes.size(); ++i) {
      queue_.push_back({at[i], reply.bytes[i], sends_});
    }
  }
}

std::size_t AnswerSchedule::TakeDue(std::uint64_t now_ns, std::uint8_t* out, std::size_t max) {
  std::size_t n = 0;
  while (n < max && !queue_.empty() && queue_.front().at_ns <= now_ns) {
    out[n++] = queue_.front().byte;
    last_taken_answers_ = queue_.front().answers;
    queue_.pop_front();
  }
  return n;
}

std::optional<std::uint64_t> AnswerSchedule::NextDue() const {
  if (queue_.empty()) return std::nullopt;
  return queue_.front().at_ns;
}

std::optional<std::uint64_t> AnswerSchedule::BurstDue(std::size_t max_bytes,
                                                      std::uint64_t max_gap_ns) const {
  if (queue_.empty() || max_bytes == 0) return std::nullopt;
  std::uint64_t due = queue_.front().at_ns;
  const std::size_t n = std::min(max_bytes, queue_.size());
  for (std::size_t i = 1; i < n && queue_[i].at_ns - due <= max_gap_ns; ++i) due = queue_[i].at_ns;
  return due;
}

std::size_t AnswerSchedule::DropDue(std::uint64_t now_ns) {
  std::size_t n = 0;
  while (!queue_.empty() && queue_.front().at_ns <= now_ns) {
    queue_.pop_front();
    ++n;
  }
  return n;
}

}  // namespace mk::sim
