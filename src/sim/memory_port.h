// SPDX-License-Identifier: GPL-3.0-or-later
// The virtual MK behind the link's port interfaces, on any clock (usually
// virtual time), so the serial channel can be tested without a device.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "link/byte_port.h"
#include "link/clock.h"
#include "link/line_speed.h"
#include "sim/answer_schedule.h"

namespace mk::sim {

class VirtualMK;

/// What happened on one port number, shared by the system and its open port.
struct PortRecord {
  bool open = false;
  std::size_t opens = 0;
  /// "Open", "Close", "SetBaud 115200", "SetByteSize 8", "SetParity 0",
  /// "SetStopBits 2", "SetDTR", "SetRTS", "ClearRTS", "PurgeInput",
  /// "PurgeOutput", "Write 6" (byte count), in call order.
  std::vector<std::string> events;
};

/// An open in-memory port. Written bytes go to the VirtualMK (when the line
/// settings are 115200 8N2; otherwise the MK cannot make them out and they are
/// lost), and its answers become readable at their scheduled times.
class MemoryPort final : public link::IBytePort {
 public:
  MemoryPort(VirtualMK* mk, link::IClock& clock, WireTiming wire_timing,
             std::shared_ptr<PortRecord> record);
  ~MemoryPort() override;

  std::uint32_t SetBaud(std::uint32_t rate) override;
  void SetByteSize(std::uint8_t bits) override;
  void SetParity(std::uint8_t parity) override;
  void SetStopBits(std::uint8_t stop_bits) override;
  void SetDTR() override;
  void SetRTS() override;
  void ClearRTS() override;
  void PurgeInput() override;
  void PurgeOutput() override;
  std::size_t Read(std::uint8_t* buffer, std::size_t max) override;
  std::size_t Write(const std::uint8_t* data, std::size_t size) override;
  /// Sleeps on the clock until the next answer byte arrives or `ms` pass.
  bool WaitReadable(std::uint32_t ms) override;

  bool LineMatchesMK() const;
  /// Which write, counted from 1, the last byte read answers (0: none yet).
  std::uint64_t LastReadAnswers() const { return schedule_.LastTakenAnswers(); }

 private:
  std::uint64_t NowNs();
  void Log(std::string event);

  link::IClock& clock_;
  AnswerSchedule schedule_;
  std::shared_ptr<PortRecord> record_;
  std::uint32_t baud_ = link::kLineBaud;
  std::uint8_t byte_size_ = 8;
  std::uint8_t parity_ = 0;
  std::uint8_t stop_bits_ = 2;
};

/// COM1..COM32 as the link sees them: the virtual MK on one number, optional
/// empty ports (present, nothing answers) on others, and a switch that makes
/// every open fail. A port already open cannot be probed or opened again.
class MemorySerialSystem final : public link::ISerialSystem {
 public:
  static constexpr int kMaxPort = 32;

  MemorySerialSystem(VirtualMK& mk, link::IClock& clock, int mk_port = 3);

  /// Moves the MK to another number; 0 takes it off every port.
  void SetMkPort(int number) { mk_port_ = number; }
  int MkPort() const { return mk_port_; }
  void AddEmptyPort(int number);
  void RemoveEmptyPort(int number);
  /// While set, Probe still finds the ports but Open returns nullptr.
  void SetRefuseOpen(bool refuse) { refuse_open_ = refuse; }
  /// Applies to ports opened afterwards.
  void SetWireTiming(WireTiming timing) { wire_timing_ = timing; }

  bool IsOpen(int number) const;
  std::size_t OpenCount(int number) const;
  const std::vector<std::string>& Events(int number) const;
  void ClearEvents();

  bool Probe(int number) override;
  std::unique_ptr<link::IBytePort> Open(int number) override;
  std::string PortName(int number) const override;

 private:
  bool Present(int number) const;
  PortRecord& Record(int number) const;

  VirtualMK& mk_;
  link::IClock& clock_;
  int mk_port_;
  bool refuse_open_ = false;
  WireTiming wire_timing_ = WireTiming::kOff;
  std::array<bool, kMaxPort + 1> empty_{};
  std::array<std::shared_ptr<PortRecord>, kMaxPort + 1> records_;
};

}  // namespace mk::sim
