// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/fault_plan.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>
#include <utility>

namespace mk::sim {
namespace {

struct KindName {
  const char* name;
  FaultKind kind;
};

// "stall" is the same fault as "truncated": both stop in the middle of a frame.
constexpr std::array<KindName, 8> kNames{{{"silence", FaultKind::kSilence},
                                          {"late", FaultKind::kLate},
                                          {"bad-checksum", FaultKind::kBadChecksum},
                                          {"short-frame", FaultKind::kShortFrame},
                                          {"truncated", FaultKind::kTruncated},
                                          {"stall", FaultKind::kTruncated},
                                          {"busy", FaultKind::kBusy},
                                          {"zero-header", FaultKind::kZeroHeader}}};

}  // namespace

std::uint32_t FaultArg(const Fault& fault) {
  if (fault.arg != 0) return fault.arg;
  switch (fault.kind) {
    case FaultKind::kLate:
      return 3000;  // past every time-out the configurator uses
    case FaultKind::kShortFrame:
      return 3;
    case FaultKind::kTruncated:
      return 4;  // length, address and header word, then nothing
    default:
      return 0;
  }
}

bool FaultPlan::Has(FaultKind kind) const {
  return Find(kind) != nullptr;
}

const Fault* FaultPlan::Find(FaultKind kind) const {
  auto it =
      std::find_if(faults.begin(), faults.end(), [kind](const Fault& f) { return f.kind == kind; });
  return it == faults.end() ? nullptr : &*it;
}

FaultPlan FaultPlan::Always(FaultKind kind, std::uint32_t arg) {
  FaultPlan plan;
  plan.Add(kind, arg);
  return plan;
}

FaultPlan FaultPlan::NextAnswers(std::uint32_t m, FaultKind kind, std::uint32_t arg) {
  FaultPlan plan = Always(kind, arg);
  plan.count = m;
  return plan;
}

FaultPlan FaultPlan::EveryNth(std::uint32_t n, FaultKind kind, std::uint32_t arg) {
  FaultPlan plan = Always(kind, arg);
  plan.every = n;
  return plan;
}

bool FaultTrigger::Next(const FaultPlan& plan) {
  if (skipped_ < plan.after) {
    ++skipped_;
    return false;
  }
  ++answers_;
  if (plan.faults.empty()) return false;
  if (plan.count != 0 && fired_ >= plan.count) return false;
  if (plan.every > 1 && answers_ % plan.every != 0) return false;
  ++fired_;
  return true;
}

std::string FaultName(FaultKind kind) {
  for (const auto& n : kNames) {
    if (n.kind == kind) return n.name;
  }
  return "?";
}

Fault ParseFault(const std::string& text) {
  const auto colon = text.find(':');
  const std::string name = text.substr(0, colon);
  auto it =
      std::find_if(kNames.begin(), kNames.end(), [&](const KindName& k) { return name == k.name; });
  if (it == kNames.end()) {
    std::string known;
    for (const auto& k : kNames) known += std::string(known.empty() ? "" : ", ") + k.name;
    throw std::invalid_argument("unknown fault \"" + name + "\" (known: " + known + ")");
  }
  Fault fault{it->kind, 0};
  if (colon == std::string::npos) return fault;
  const std::string arg = text.substr(colon + 1);
  const char* end = arg.data() + arg.size();
  auto [ptr, ec] = std::from_chars(arg.data(), end, fault.arg);
  if (arg.empty() || ec != std::errc() || ptr != end) {
    throw std::invalid_argument("fault \"" + text + "\": the argument must be a number");
  }
  if (fault.kind == FaultKind::kShortFrame && (fault.arg == 0 || fault.arg >= 6)) {
    throw std::invalid_argument("fault \"" + text + "\": a short frame is 1 to 5 bytes");
  }
  if (fault.arg == 0 && fault.kind == FaultKind::kTruncated) {
    throw std::invalid_argument("fault \"" + text + "\": keep at least 1 byte (use silence)");
  }
  return fault;
}

}  // namespace mk::sim
