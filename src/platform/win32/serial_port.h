// SPDX-License-Identifier: GPL-3.0-or-later
// A Windows COM port opened as "\\?\COMn".
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "link/byte_port.h"
#include "platform/serial_system.h"

namespace mk::platform {

class Win32SerialPort final : public link::IBytePort {
 public:
  /// Opens COM `number` for reading and writing without sharing, with 1 MiB
  /// driver queues, reads that return at once with what is buffered, DTR
  /// raised and the receive buffer purged. The DCB stays as the driver had it.
  static std::unique_ptr<Win32SerialPort> Open(int number);
  /// A query-only open (no access rights, no sharing): whether the port exists
  /// and is not held by another program.
  static PortCheck Check(int number);
  static std::wstring DevicePath(int number);

  ~Win32SerialPort() override;
  Win32SerialPort(const Win32SerialPort&) = delete;
  Win32SerialPort& operator=(const Win32SerialPort&) = delete;

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

 private:
  explicit Win32SerialPort(void* handle) : handle_(handle) {}

  void* handle_;  // HANDLE, kept out of this header so <windows.h> stays in one file
};

}  // namespace mk::platform
