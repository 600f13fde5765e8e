// SPDX-License-Identifier: GPL-3.0-or-later
// The serial port half of the link: which of COM1..COM32 exist, opening one
// with the MK's line settings, raw bytes, purging and the modem lines.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "link/byte_port.h"
#include "link/clock.h"
#include "link/line_speed.h"
#include "link/user_prompt.h"
#include "link/vl_base_interface.h"

namespace mk::link {

inline constexpr int kMaxPorts = 32;
inline constexpr const char* kNoFreePort = "Нет свободного COM-порта!";

class TVL_RS_Base : public TVLBaseInterface {
 public:
  /// Scans the ports; with none present shows kNoFreePort through `prompt`.
  TVL_RS_Base(ISerialSystem& ports, IClock& clock, IPump& pump, IUserPrompt& prompt);
  ~TVL_RS_Base() override;

  void LoadSettings(text::IniFile& ini) override;
  void SaveSettings(text::IniFile& ini) override;

  /// The port-number dialog; the window layer supplies it (see SetPortDialog).
  virtual void SelectPortDialog();
  virtual void ClosePort();
  virtual void PurgeInput();
  virtual void PurgeOutput();

  std::uint8_t ScanPorts();
  int FirstPresentPort() const;
  void OpenPort(int n);
  void Reopen(bool open);
  void SetBaud(std::uint32_t rate);
  void SetByteSize(std::uint8_t b);
  void SetParity(std::uint8_t b);
  void SetStopBits(std::uint8_t b);
  void SetDTR();
  void ClearRTS();
  void SetRTS();

  /// The dialog that SelectPortDialog shows: given the present port numbers
  /// in order and the current number, returns the chosen number, or 0 for
  /// Cancel (or OK with nothing selected).
  class IPortDialog {
   public:
    virtual ~IPortDialog() = default;
    virtual int Choose(const std::array<bool, kMaxPorts + 1>& present, int current) = 0;
  };
  void SetPortDialog(IPortDialog* dialog) { port_dialog_ = dialog; }

  ISerialSystem& Ports() { return ports_; }

  /// Whether COM`n` was there at the last scan; false outside 1..kMaxPorts.
  bool PortPresent(int n) const;
  /// How many ports the last scan found.
  int PresentCount() const;
  bool IsOpen() const { return port_ != nullptr; }
  /// The COM number chosen (opened or to open); 0: none.
  int PortNumber() const { return port_number_; }
  /// The line speed asked for, or the one the driver took instead.
  std::uint32_t BaudRate() const { return baud_rate_; }

 protected:
  /// Called once a port has been opened, set up and purged.
  virtual void PortOpened() {}
  /// The open port; null while closed.
  IBytePort* OpenedPort() const { return port_.get(); }

  ISerialSystem& ports_;
  IClock& clock_;
  IPump& pump_;
  IUserPrompt& prompt_;

 private:
  IPortDialog* port_dialog_ = nullptr;
  std::array<bool, kMaxPorts + 1> present_{};  // index 1..32
  std::unique_ptr<IBytePort> port_;            // null while closed
  int port_number_ = 0;
  // The line settings, applied again whenever a port is opened.
  std::uint32_t baud_rate_ = kLineBaud;
  std::uint8_t byte_size_ = 8;
  std::uint8_t parity_ = 0;
  std::uint8_t stop_bits_ = 2;
};

}  // namespace mk::link
