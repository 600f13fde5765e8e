// SPDX-License-Identifier: GPL-3.0-or-later
// The virtual MK: the device's side of the request/answer exchange, with its
// memory, its address, region writes checked byte for byte, and faults on demand.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/fault_plan.h"

namespace mk::sim {

// Command codes as they travel in byte 4 of a request.
inline constexpr std::uint8_t kDetectAddress = 0;  // sent to address 0
inline constexpr std::uint8_t kIdentify = 1;
inline constexpr std::uint8_t kWriteChunk = 4;
inline constexpr std::uint8_t kReadBlock = 5;
inline constexpr std::uint8_t kEndWrite = 7;
inline constexpr std::uint8_t kBeginWrite = 12;

inline constexpr std::size_t kSmallMemory = 8192;
inline constexpr std::size_t kLargeMemory = 32768;
inline constexpr std::size_t kBlockSize = 32;
inline constexpr std::uint8_t kStatusOk = 0;
inline constexpr std::uint8_t kStatusUnknownCommand = 1;
inline constexpr std::uint8_t kStatusBusy = 255;

/// A partial request older than this is dropped when the next byte comes, so
/// that a client that died in mid-frame does not leave the MK out of step.
inline constexpr std::uint64_t kResyncGapUs = 20'000;

/// One answer as it leaves the MK, after any fault has shaped it.
struct Reply {
  std::vector<std::uint8_t> bytes;
  std::uint32_t delay_ms = 0;   ///< extra wait before the first byte (Late)
  std::size_t request_end = 0;  ///< index just past the request's last byte in the input
};

/// A region that EndWrite committed into memory.
struct Region {
  std::uint16_t address = 0;
  std::uint16_t length = 0;
  bool operator==(const Region&) const = default;
};

/// A region between BeginWrite and EndWrite, not yet in memory.
struct OpenRegion {
  std::uint16_t address = 0;
  std::uint16_t length = 0;
  std::vector<std::uint8_t> bytes;
  std::size_t next_chunk = 0;
  std::size_t received = 0;
  bool short_seen = false;
  bool spoiled = false;
  std::vector<std::uint8_t> last_chunk;  // the last accepted chunk's request data
};

class VirtualMK {
 public:
  /// Address 254 has 32768 bytes of memory, every other address 8192.
  static std::size_t MemorySizeFor(std::uint8_t address);

  explicit VirtualMK(std::uint8_t address = 253);

  std::uint8_t Address() const { return address_; }
  /// Changes the address; the memory size follows it unless SetMemorySize fixed it.
  void SetAddress(std::uint8_t address);
  std::size_t MemorySize() const { return memory_.size(); }
  /// 8192 or 32768 (std::invalid_argument otherwise). Keeps what fits, zero-fills the rest.
  void SetMemorySize(std::size_t size);
  std::uint16_t DeviceVersion() const { return device_version_; }
  void SetDeviceVersion(std::uint16_t version) { device_version_ = version; }

  /// The whole memory, device addresses 0..S-1.
  std::span<std::uint8_t> Memory() { return memory_; }
  std::span<const std::uint8_t> Memory() const { return memory_; }
  /// Copies `image` to address 0 and zero-fills the rest; an image longer than
  /// the memory is refused with std::invalid_argument.
  void LoadImage(std::span<const std::uint8_t> image);

  /// Replaces the fault plan and restarts its answer count.
  void SetFaults(FaultPlan plan);
  void ClearFaults() { SetFaults({}); }
  /// A fault of memory rather than of the line: the region that BeginWrite
  /// opens at device address `address` is answered like any other, but its
  /// bytes never reach the memory. nullopt: every region is kept.
  void SetIgnoredRegion(std::optional<std::uint16_t> address) { ignored_region_ = address; }
  const FaultPlan& Faults() const { return faults_; }

  /// Takes request bytes as they arrive, in any split, and returns the answers
  /// of the frames they complete. `now_us` is the arrival time, used only to
  /// drop a stale partial frame; 0 everywhere means "never stale".
  std::vector<Reply> Receive(std::span<const std::uint8_t> bytes, std::uint64_t now_us = 0);

  /// Broken region-write rules and bad requests, one readable line each.
  const std::vector<std::string>& Violations() const { return violations_; }
  void ClearViolations() { violations_.clear(); }
  const std::vector<Region>& Commits() const { return commits_; }

  /// Requests accepted for this MK, by command code (address detection is 0).
  std::size_t RequestCount(std::uint8_t command) const { return counts_[command]; }
  /// Frames dropped for a bad length or checksum, another address, or staleness.
  std::size_t IgnoredFrames() const { return ignored_; }
  /// True while a region is open (BeginWrite seen, EndWrite not yet).
  bool RegionOpen() const { return region_.has_value(); }

  /// Called with a one-line description of every frame handled or dropped.
  void SetTrace(std::function<void(const std::string&)> trace) { trace_ = std::move(trace); }

 private:
  struct Outcome {
    bool answer = true;
    std::uint8_t status = kStatusOk;
    std::vector<std::uint8_t> data;
  };

  std::optional<Reply> HandleFrame(const std::vector<std::uint8_t>& frame);
  Outcome Execute(std::uint8_t command, std::span<const std::uint8_t> data);
  Outcome ReadBlock(std::span<const std::uint8_t> data);
  Outcome BeginWrite(std::span<const std::uint8_t> data);
  Outcome WriteChunk(std::span<const std::uint8_t> data);
  Outcome EndWrite(std::span<const std::uint8_t> data);
  void Violation(std::string text);
  void Spoil(std::string text);
  void Trace(const std::string& text);

  std::uint8_t address_;
  bool size_fixed_ = false;
  std::uint16_t device_version_ = 1;
  std::vector<std::uint8_t> memory_;
  FaultPlan faults_;
  FaultTrigger trigger_;
  std::optional<std::uint16_t> ignored_region_;

  std::vector<std::uint8_t> pending_;
  std::uint64_t last_byte_us_ = 0;

  std::optional<OpenRegion> region_;
  std::optional<Region> last_commit_;
  std::vector<Region> commits_;
  std::vector<std::string> violations_;
  std::array<std::size_t, 256> counts_{};
  std::size_t ignored_ = 0;
  std::function<void(const std::string&)> trace_;
};

}  // namespace mk::sim
