// SPDX-License-Identifier: GPL-3.0-or-later
// When each answer byte reaches the client: the MK's replies laid out on a
// time line, as one of several kinds of peer would deliver them, or all at once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "link/line_speed.h"

namespace mk::sim {

class VirtualMK;

/// How long the MK takes between the end of a request and its first answer bit
/// (the byte-paced timing only; the others answer at once).
inline constexpr std::uint64_t kTurnaroundNs = 200'000;

/// How answers reach the client. Every wire timing hears a request only when its
/// last byte would be in at 115200 baud; they differ in how the answer comes.
enum class WireTiming {
  kOff,    ///< answers at once (a Late fault still delays them)
  kBytes,  ///< a turnaround, then each byte when its last bit would be in
  kWhole,  ///< the whole answer at the moment its last byte would be in, no turnaround
  kUsb,    ///< paced as on the wire, handed over as a USB serial device does: what came
           ///< in each millisecond of the answer as one packet, the rest at its end
};

/// A USB serial device sends at most one packet (64 bytes) a millisecond.
inline constexpr std::uint64_t kUsbFrameNs = 1'000'000;

/// The option values of mk-sim --wire-timing=NAME: "bytes", "whole", "usb";
/// nullopt for any other name.
std::optional<WireTiming> WireTimingNamed(std::string_view name);

/// The wire time of `bytes` bytes, in nanoseconds (about 95.5 us a byte).
constexpr std::uint64_t WireTimeNs(std::uint64_t bytes) {
  return bytes * link::kLineBitsPerByte * 1'000'000'000 / link::kLineBaud;
}

/// Feeds what the client writes to a VirtualMK and queues the answer bytes at
/// the times they would arrive. Times are nanoseconds on the caller's clock.
class AnswerSchedule {
 public:
  /// `mk` may be null: a port with nothing on the line.
  explicit AnswerSchedule(VirtualMK* mk) : mk_(mk) {}

  void SetWireTiming(WireTiming timing) { timing_ = timing; }
  bool Paced() const { return timing_ != WireTiming::kOff; }

  /// The client wrote `bytes` at `now_ns`.
  void Send(std::span<const std::uint8_t> bytes, std::uint64_t now_ns);
  /// Moves up to `max` bytes whose time has come into `out`; returns the count.
  std::size_t TakeDue(std::uint64_t now_ns, std::uint8_t* out, std::size_t max);
  /// The arrival time of the next queued byte, if any.
  std::optional<std::uint64_t> NextDue() const;
  /// The arrival time of the last byte of the leading run of at most
  /// `max_bytes` queued bytes that follow each other by no more than
  /// `max_gap_ns`. Handing the run over at that moment costs the client no
  /// time (its last byte is exactly on time) and saves a wake-up a byte.
  std::optional<std::uint64_t> BurstDue(std::size_t max_bytes, std::uint64_t max_gap_ns) const;
  /// Discards the bytes that have arrived by `now_ns` (a receive purge); bytes
  /// still on the wire arrive later, as they would from a real device.
  std::size_t DropDue(std::uint64_t now_ns);
  std::size_t Queued() const { return queue_.size(); }
  /// Which Send, counted from 1, the last byte taken answers (0: none yet).
  /// Lets a test tell an answer to this request from a late one to another.
  std::uint64_t LastTakenAnswers() const { return last_taken_answers_; }

 private:
  struct Timed {
    std::uint64_t at_ns;
    std::uint8_t byte;
    std::uint64_t answers;  // the Send it answers
  };

  /// When each of `count` answer bytes reaches the client, the first bit of
  /// the answer going out at `first_ns`.
  std::vector<std::uint64_t> Arrivals(std::uint64_t first_ns, std::size_t count) const;

  VirtualMK* mk_;
  WireTiming timing_ = WireTiming::kOff;
  std::deque<Timed> queue_;
  std::uint64_t in_free_ns_ = 0;  // when the request line is idle again
  std::uint64_t sends_ = 0;
  std::uint64_t last_taken_answers_ = 0;
};

}  // namespace mk::sim
