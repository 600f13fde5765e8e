// SPDX-License-Identifier: GPL-3.0-or-later
// The ways the virtual MK can misbehave on purpose, and when it does.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mk::sim {

enum class FaultKind : std::uint8_t {
  kSilence,      ///< no answer at all
  kLate,         ///< the answer comes `arg` ms later than it would (default 3000)
  kBadChecksum,  ///< the checksum byte is off by one
  kShortFrame,   ///< the length byte says `arg` (below 6, default 3) and the frame ends there
  kTruncated,    ///< only the first `arg` bytes of the answer (default 4), then the line stalls
  kBusy,         ///< status 255, no data; the request is not carried out
  kZeroHeader,   ///< address and header word 0, checksum fixed up to match
};

struct Fault {
  FaultKind kind;
  std::uint32_t arg = 0;  ///< 0 picks the kind's default
};

/// The argument a fault uses: its own, or its kind's default when it has none.
std::uint32_t FaultArg(const Fault& fault);

/// Which faults apply to which answers. The answers the MK gives are counted
/// from 1 since the plan was set, after the first `after` answers, which are
/// always sound; the plan fires on every answer, or with `every` = N on answers
/// N, 2N, 3N, ...; with `count` = M it fires only M times in all. When it
/// fires, every fault in `faults` applies together. `after` lets a transfer
/// break off in the middle: after = 100 with silence goes quiet for good.
struct FaultPlan {
  std::vector<Fault> faults;
  std::uint32_t every = 0;  ///< 0 or 1: every answer
  std::uint32_t count = 0;  ///< 0: no limit
  std::uint32_t after = 0;  ///< answers left alone before counting starts

  FaultPlan& Add(FaultKind kind, std::uint32_t arg = 0) {
    faults.push_back({kind, arg});
    return *this;
  }
  bool Has(FaultKind kind) const;
  const Fault* Find(FaultKind kind) const;

  static FaultPlan Always(FaultKind kind, std::uint32_t arg = 0);
  static FaultPlan NextAnswers(std::uint32_t m, FaultKind kind, std::uint32_t arg = 0);
  static FaultPlan EveryNth(std::uint32_t n, FaultKind kind, std::uint32_t arg = 0);
};

/// Counts answers against a plan and says whether the plan fires for the next one.
class FaultTrigger {
 public:
  void Reset() { skipped_ = answers_ = fired_ = 0; }
  bool Next(const FaultPlan& plan);
  std::uint32_t Fired() const { return fired_; }

 private:
  std::uint32_t skipped_ = 0;
  std::uint32_t answers_ = 0;
  std::uint32_t fired_ = 0;
};

/// "late", "busy", ... as used on the command line.
std::string FaultName(FaultKind kind);
/// Parses KIND[:ARG] ("silence", "late:500", "truncated:3", "stall:2"); throws
/// std::invalid_argument with a readable message on anything else.
Fault ParseFault(const std::string& text);

}  // namespace mk::sim
