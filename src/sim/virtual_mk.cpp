// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim/virtual_mk.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "text/byte_io.h"

namespace mk::sim {
namespace {

std::uint8_t Sum(std::span<const std::uint8_t> bytes) {
  unsigned sum = 0;
  for (auto b : bytes) sum += b;
  return static_cast<std::uint8_t>(sum);
}

// Stores the checksum that makes the whole frame add up to 0 modulo 256.
void Seal(std::vector<std::uint8_t>& frame) {
  frame.back() = static_cast<std::uint8_t>(-Sum(std::span(frame).first(frame.size() - 1)));
}

std::string CommandName(std::uint8_t command) {
  switch (command) {
    case kDetectAddress:
      return "DetectAddress";
    case kIdentify:
      return "Identify";
    case kReadBlock:
      return "ReadBlock";
    case kBeginWrite:
      return "BeginWrite";
    case kWriteChunk:
      return "WriteChunk";
    case kEndWrite:
      return "EndWrite";
    default:
      return "command " + std::to_string(command);
  }
}

std::string Pair(std::uint16_t address, std::uint16_t length) {
  return "(" + std::to_string(address) + ", " + std::to_string(length) + ")";
}

}  // namespace

std::size_t VirtualMK::MemorySizeFor(std::uint8_t address) {
  return address == 254 ? kLargeMemory : kSmallMemory;
}

VirtualMK::VirtualMK(std::uint8_t address)
    : address_(address), memory_(MemorySizeFor(address), 0) {}

void VirtualMK::SetAddress(std::uint8_t address) {
  address_ = address;
  if (!size_fixed_) memory_.resize(MemorySizeFor(address), 0);
}

void VirtualMK::SetMemorySize(std::size_t size) {
  if (size != kSmallMemory && size != kLargeMemory) {
    throw std::invalid_argument("memory size must be 8192 or 32768, not " + std::to_string(size));
  }
  size_fixed_ = true;
  memory_.resize(size, 0);
}

void VirtualMK::LoadImage(std::span<const std::uint8_t> image) {
  if (image.size() > memory_.size()) {
    throw std::invalid_argument("image of " + std::to_string(image.size()) +
                                " bytes does not fit the " + std::to_string(memory_.size()) +
                                "-byte memory");
  }
  std::fill(memory_.begin(), memory_.end(), 0);
  std::copy(image.begin(), image.end(), memory_.begin());
}

void VirtualMK::SetFaults(FaultPlan plan) {
  faults_ = std::move(plan);
  trigger_.Reset();
}

std::vector<Reply> VirtualMK::Receive(std::span<const std::uint8_t> bytes, std::uint64_t now_us) {
  std::vector<Reply> replies;
  if (bytes.empty()) return replies;
  if (!pending_.empty() && now_us > last_byte_us_ + kResyncGapUs) {
    Trace("dropped a stale partial frame of " + std::to_string(pending_.size()) + " bytes");
    pending_.clear();
    ++ignored_;
  }
  last_byte_us_ = now_us;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    pending_.push_back(bytes[i]);
    const std::size_t length = pending_[0] == 0 ? 256 : pending_[0];
    if (pending_.size() < length) continue;
    std::optional<Reply> reply = HandleFrame(pending_);
    pending_.clear();
    if (reply) {
      reply->request_end = i + 1;
      replies.push_back(std::move(*reply));
    }
  }
  return replies;
}

std::optional<Reply> VirtualMK::HandleFrame(const std::vector<std::uint8_t>& frame) {
  if (frame.size() < 6 || Sum(frame) != 0) {
    Trace("ignored a frame of " + std::to_string(frame.size()) +
          (frame.size() < 6 ? " bytes: too short" : " bytes: bad checksum"));
    ++ignored_;
    return std::nullopt;
  }
  const std::uint8_t to = frame[1];
  const std::uint8_t command = frame[4];
  const bool detect = to == 0 && command == kDetectAddress;
  if (!detect && to != address_) {
    Trace("ignored a frame for address " + std::to_string(to));
    ++ignored_;
    return std::nullopt;
  }
  ++counts_[command];
  const auto data = std::span(frame).subspan(5, frame.size() - 6);
  Trace(CommandName(command) + ", " + std::to_string(data.size()) + " data bytes");

  const bool faulty = trigger_.Next(faults_);
  // A busy MK refuses the request; other faults hit the answer on its way back,
  // after the MK has done what was asked (as when noise garbles the reply).
  const bool busy = faulty && faults_.Has(FaultKind::kBusy);
  Outcome outcome;
  if (busy) {
    outcome.status = kStatusBusy;
  } else {
    outcome = detect ? Outcome{} : Execute(command, data);
  }
  if (!outcome.answer) return std::nullopt;

  Reply reply;
  auto& out = reply.bytes;
  // Length, address, header, status, data, checksum. Sized once and filled in
  // place: GCC 12 misreads an insert after a short initializer list as overflow.
  out.assign(outcome.data.size() + 6, 0);
  out[0] = static_cast<std::uint8_t>(out.size());  // 256 becomes 0, as on the wire
  out[1] = address_;
  out[2] = 1;
  out[4] = outcome.status;
  std::copy(outcome.data.begin(), outcome.data.end(), out.begin() + 5);
  if (faulty && faults_.Has(FaultKind::kZeroHeader)) out[1] = out[2] = out[3] = 0;
  Seal(out);
  if (!faulty) return reply;

  if (faults_.Has(FaultKind::kSilence)) {
    Trace("fault: silence");
    return std::nullopt;
  }
  if (faults_.Has(FaultKind::kBadChecksum)) ++out.back();
  if (const Fault* f = faults_.Find(FaultKind::kShortFrame)) {
    const auto n = static_cast<std::uint8_t>(std::min<std::uint32_t>(FaultArg(*f), 5));
    out[0] = n;
    out.resize(n);
  }
  if (const Fault* f = faults_.Find(FaultKind::kTruncated)) {
    out.resize(std::min<std::size_t>(out.size(), FaultArg(*f)));
  }
  if (const Fault* f = faults_.Find(FaultKind::kLate)) reply.delay_ms = FaultArg(*f);
  Trace("fault: answer of " + std::to_string(out.size()) + " bytes after " +
        std::to_string(reply.delay_ms) + " ms extra");
  return reply;
}

VirtualMK::Outcome VirtualMK::Execute(std::uint8_t command, std::span<const std::uint8_t> data) {
  switch (command) {
    case kIdentify: {
      // One byte the configurator skips, then the device version.
      std::vector<std::uint8_t> answer(3, 0);
      bytes::WriteU16(answer, 1, device_version_);
      return {true, kStatusOk, std::move(answer)};
    }
    case kReadBlock:
      return ReadBlock(data);
    case kBeginWrite:
      return BeginWrite(data);
    case kWriteChunk:
      return WriteChunk(data);
    case kEndWrite:
      return EndWrite(data);
    default:
      Violation("unknown " + CommandName(command));
      return {true, kStatusUnknownCommand, {}};
  }
}

VirtualMK::Outcome VirtualMK::ReadBlock(std::span<const std::uint8_t> data) {
  if (data.size() < 2) {
    Violation("ReadBlock without a block number");
    return {false, kStatusOk, {}};
  }
  const std::size_t block = bytes::ReadU16(data, 0);
  const std::size_t from = block * kBlockSize;
  if (from + kBlockSize > memory_.size()) {
    // No answer rather than made-up bytes: the reader then fails visibly.
    Violation("ReadBlock " + std::to_string(block) + " past the end of the " +
              std::to_string(memory_.size()) + "-byte memory");
    return {false, kStatusOk, {}};
  }
  const auto first = memory_.begin() + static_cast<std::ptrdiff_t>(from);
  return {true, kStatusOk, std::vector<std::uint8_t>(first, first + kBlockSize)};
}

VirtualMK::Outcome VirtualMK::BeginWrite(std::span<const std::uint8_t> data) {
  if (data.size() < 4) {
    Violation("BeginWrite with " + std::to_string(data.size()) + " data bytes, 4 expected");
    region_.reset();
    return {};
  }
  const std::uint16_t address = bytes::ReadU16(data, 0);
  const std::uint16_t length = bytes::ReadU16(data, 2);
  if (region_) {
    const bool repeat = region_->address == address && region_->length == length &&
                        region_->next_chunk == 0 && !region_->spoiled;
    if (repeat) return {};  // a retry whose first answer was lost
    Violation("BeginWrite" + Pair(address, length) + " while region " +
              Pair(region_->address, region_->length) + " was open: that region is lost");
  }
  last_commit_.reset();
  region_.emplace();
  region_->address = address;
  region_->length = length;
  region_->bytes.assign(length, 0);
  if (std::size_t{address} + length > memory_.size()) {
    Spoil("BeginWrite" + Pair(address, length) + ": region past the end of the " +
          std::to_string(memory_.size()) + "-byte memory");
  }
  return {};
}

VirtualMK::Outcome VirtualMK::WriteChunk(std::span<const std::uint8_t> data) {
  if (data.size() < 4) {
    Spoil("WriteChunk with " + std::to_string(data.size()) + " data bytes, at least 4 expected");
    return {};
  }
  const std::size_t index = bytes::ReadU16(data, 0);
  const std::size_t count = bytes::ReadU16(data, 2);
  const std::string name = "WriteChunk " + std::to_string(index);
  if (!region_) {
    Violation(name + " without BeginWrite");
    return {};
  }
  OpenRegion& r = *region_;
  if (r.spoiled) return {};  // the first violation said it all
  if (index + 1 == r.next_chunk && std::ranges::equal(data, r.last_chunk)) {
    return {};  // the same chunk again: a retry whose first answer was lost
  }
  if (index != r.next_chunk) {
    Spoil(name + " out of order: chunk " + std::to_string(r.next_chunk) + " expected");
  } else if (r.short_seen) {
    Spoil(name + " after a short chunk, which must be the last");
  } else if (count < 1 || count > kBlockSize) {
    Spoil(name + ": count " + std::to_string(count) + " outside 1..32");
  } else if (data.size() - 4 != count) {
    Spoil(name + ": count " + std::to_string(count) + " but " + std::to_string(data.size() - 4) +
          " bytes follow");
  } else if (index * kBlockSize + count > r.length) {
    Spoil(name + ": bytes " + std::to_string(index * kBlockSize) + ".." +
          std::to_string(index * kBlockSize + count - 1) + " past the region length " +
          std::to_string(r.length));
  }
  if (r.spoiled) return {};
  std::copy(data.begin() + 4, data.end(),
            r.bytes.begin() + static_cast<std::ptrdiff_t>(index * kBlockSize));
  r.received += count;
  r.short_seen = count < kBlockSize;
  r.last_chunk.assign(data.begin(), data.end());
  ++r.next_chunk;
  return {};
}

VirtualMK::Outcome VirtualMK::EndWrite(std::span<const std::uint8_t> data) {
  if (data.size() < 4) {
    Violation("EndWrite with " + std::to_string(data.size()) + " data bytes, 4 expected");
    region_.reset();
    return {};
  }
  const std::uint16_t address = bytes::ReadU16(data, 0);
  const std::uint16_t length = bytes::ReadU16(data, 2);
  const std::string name = "EndWrite" + Pair(address, length);
  if (!region_) {
    if (last_commit_ != Region{address, length}) Violation(name + " without BeginWrite");
    return {};  // otherwise a retry of the EndWrite that committed
  }
  const OpenRegion r = std::move(*region_);
  region_.reset();
  if (r.address != address || r.length != length) {
    Violation(name + " does not match BeginWrite" + Pair(r.address, r.length) +
              ": region not committed");
  } else if (r.spoiled) {
    Violation(name + ": region not committed after the violation above");
  } else if (r.received != r.length) {
    Violation(name + ": " + std::to_string(r.received) + " of " + std::to_string(r.length) +
              " bytes received, region not committed");
  } else {
    if (ignored_region_ == address) {
      Trace("fault: region " + Pair(address, length) + " answered but not kept");
    } else {
      std::copy(r.bytes.begin(), r.bytes.end(), memory_.begin() + address);
    }
    commits_.push_back({address, length});
    last_commit_ = Region{address, length};
  }
  return {};
}

void VirtualMK::Violation(std::string text) {
  Trace("violation: " + text);
  violations_.push_back(std::move(text));
}

void VirtualMK::Spoil(std::string text) {
  if (region_) region_->spoiled = true;
  Violation(std::move(text));
}

void VirtualMK::Trace(const std::string& text) {
  if (trace_) trace_(text);
}

}  // namespace mk::sim
