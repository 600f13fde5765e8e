// SPDX-License-Identifier: GPL-3.0-or-later
// A POSIX serial device (a tty or a pseudo-terminal slave) held exclusively.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "link/byte_port.h"
#include "platform/serial_system.h"

namespace mk::platform {

class PosixSerialPort final : public link::IBytePort {
 public:
  /// Opens `path` raw at 115200 baud, 8 data bits, no parity, two stop bits,
  /// no flow control, reads returning at once, DTR raised, input purged. The
  /// device is locked against other programs (TIOCEXCL and flock). Returns
  /// nullptr on failure and tells why in `check` when given.
  static std::unique_ptr<PosixSerialPort> Open(const std::string& path, PortCheck* check = nullptr);
  /// Opens and closes `path` once: whether it exists and is free for us.
  static PortCheck Check(const std::string& path);

  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

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
  bool WaitReadable(std::uint32_t ms) override;

  int Fd() const { return fd_; }

 private:
  explicit PosixSerialPort(int fd) : fd_(fd) {}

  int fd_;
};

/// The rate a termios speed constant stands for, and back (0 / B0 for none).
std::uint32_t BaudFromSpeed(unsigned speed);
unsigned SpeedFromBaud(std::uint32_t rate);

}  // namespace mk::platform
