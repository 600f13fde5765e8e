// SPDX-License-Identifier: GPL-3.0-or-later
// The byte port: the one door between the link and a serial device. The POSIX
// and Win32 ports, and the in-memory port wired to the virtual MK, implement it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace mk::link {

/// An open serial port. Reads never block; WaitReadable blocks in the OS.
class IBytePort {
 public:
  virtual ~IBytePort() = default;

  /// Applies one line setting. SetBaud returns the rate the driver reports
  /// back afterwards, or 0 when it reports none.
  virtual std::uint32_t SetBaud(std::uint32_t rate) = 0;
  virtual void SetByteSize(std::uint8_t bits) = 0;
  /// 0 none, 1 odd, 2 even, 3 mark, 4 space (the Windows DCB encoding).
  virtual void SetParity(std::uint8_t parity) = 0;
  /// 0 one, 1 one and a half, 2 two stop bits (the Windows DCB encoding).
  virtual void SetStopBits(std::uint8_t stop_bits) = 0;

  virtual void SetDTR() = 0;
  virtual void SetRTS() = 0;
  virtual void ClearRTS() = 0;

  /// Discards what the driver holds in its receive or transmit buffer.
  virtual void PurgeInput() = 0;
  virtual void PurgeOutput() = 0;

  /// Copies at most `max` buffered bytes; returns at once with 0 when none.
  virtual std::size_t Read(std::uint8_t* buffer, std::size_t max) = 0;
  /// Writes all bytes (or as many as the device takes); returns the count.
  virtual std::size_t Write(const std::uint8_t* data, std::size_t size) = 0;
  /// Blocks for at most `ms` milliseconds until a byte can be read. Returns
  /// true when one can. Lets waits sleep in the OS instead of spinning.
  virtual bool WaitReadable(std::uint32_t ms) = 0;
};

/// The ports of this machine by COM number (1..32). On POSIX systems a COM
/// number stands for a device path (see the platform layer).
class ISerialSystem {
 public:
  virtual ~ISerialSystem() = default;

  /// True when port `number` exists and could be opened by us right now.
  virtual bool Probe(int number) = 0;
  /// Opens port `number` for reading and writing, or returns nullptr. The
  /// port comes back raw, with reads that return at once, DTR raised and the
  /// receive buffer purged; line settings are applied by the caller.
  virtual std::unique_ptr<IBytePort> Open(int number) = 0;
  /// The device path or name behind a port number, for messages and lists.
  virtual std::string PortName(int number) const = 0;
};

}  // namespace mk::link
