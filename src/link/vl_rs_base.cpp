// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/vl_rs_base.h"

#include <algorithm>
#include <limits>

namespace mk::link {
namespace {

constexpr const char* kPortKey = "Port";

bool InRange(int n) {
  return n >= 1 && n <= kMaxPorts;
}

}  // namespace

TVL_RS_Base::TVL_RS_Base(ISerialSystem& ports, IClock& clock, IPump& pump, IUserPrompt& prompt)
    : ports_(ports), clock_(clock), pump_(pump), prompt_(prompt) {
  if (ScanPorts() > 0) {
    port_number_ = FirstPresentPort();
    SetSectionName("RS232Base");
  } else {
    prompt_.ShowError(kNoFreePort);
  }
}

TVL_RS_Base::~TVL_RS_Base() = default;

void TVL_RS_Base::LoadSettings(text::IniFile& ini) {
  const long stored = ini.ReadInteger(SectionName(), kPortKey, port_number_);
  // A number too large for an int is as absent as COM33; one below 1 selects nothing.
  int n = 0;
  if (stored > kMaxPorts) {
    n = kMaxPorts + 1;
  } else if (stored >= std::numeric_limits<int>::min()) {
    n = static_cast<int>(stored);
  }
  OpenPort(n);
}

void TVL_RS_Base::SaveSettings(text::IniFile& ini) {
  ini.WriteInteger(SectionName(), kPortKey, port_number_);
}

void TVL_RS_Base::SelectPortDialog() {
  if (IsOpen()) ClosePort();
  if (port_dialog_ == nullptr) return;
  if (ScanPorts() == 0) {
    prompt_.ShowError(kNoFreePort);
    return;
  }
  // 0 is Cancel, or OK while nothing was selected (the port chosen before has
  // gone): both keep the number there was.
  const int chosen = port_dialog_->Choose(present_, port_number_);
  if (InRange(chosen)) port_number_ = chosen;
  Reopen(false);
  OpenPort(port_number_);
}

void TVL_RS_Base::ClosePort() {
  port_.reset();
}

void TVL_RS_Base::PurgeInput() {
  if (port_) port_->PurgeInput();
}

void TVL_RS_Base::PurgeOutput() {
  if (port_) port_->PurgeOutput();
}

std::uint8_t TVL_RS_Base::ScanPorts() {
  if (port_) ClosePort();
  for (int n = 1; n <= kMaxPorts; ++n) present_[static_cast<std::size_t>(n)] = ports_.Probe(n);
  return static_cast<std::uint8_t>(PresentCount());
}

bool TVL_RS_Base::PortPresent(int n) const {
  return InRange(n) && present_[static_cast<std::size_t>(n)];
}

int TVL_RS_Base::PresentCount() const {
  return static_cast<int>(std::count(present_.begin(), present_.end(), true));
}

int TVL_RS_Base::FirstPresentPort() const {
  for (int n = 1; n <= kMaxPorts; ++n) {
    if (PortPresent(n)) return n;
  }
  return 0;
}

void TVL_RS_Base::OpenPort(int n) {
  if (n <= 0) return;
  // PortNumber() == n afterwards tells the caller that n was present at the
  // last scan. Numbers past the scanned range are never present.
  port_number_ = PortPresent(n) ? n : FirstPresentPort();
  if (port_number_ == 0) {
    prompt_.ShowError(kNoFreePort);
    return;
  }
  ClosePort();
  // The requested number is tried even when the scan missed it (the device may
  // have appeared since); a number past the range is refused outright.
  if (InRange(n)) port_ = ports_.Open(n);
  if (!port_) return;
  SetBaud(baud_rate_);
  SetByteSize(byte_size_);
  SetParity(parity_);
  SetStopBits(stop_bits_);
  SetDTR();
  PurgeInput();
  PortOpened();
}

void TVL_RS_Base::Reopen(bool open) {
  if (open) {
    OpenPort(port_number_);
  } else {
    ClosePort();
  }
}

void TVL_RS_Base::SetBaud(std::uint32_t rate) {
  baud_rate_ = rate;
  if (!port_) return;
  // A driver that cannot do the rate keeps another; the user sees that one.
  const std::uint32_t actual = port_->SetBaud(rate);
  if (actual != 0) baud_rate_ = actual;
}

void TVL_RS_Base::SetByteSize(std::uint8_t b) {
  byte_size_ = b;
  if (port_) port_->SetByteSize(b);
}

void TVL_RS_Base::SetParity(std::uint8_t b) {
  parity_ = b;
  if (port_) port_->SetParity(b);
}

void TVL_RS_Base::SetStopBits(std::uint8_t b) {
  stop_bits_ = b;
  if (port_) port_->SetStopBits(b);
}

void TVL_RS_Base::SetDTR() {
  if (port_) port_->SetDTR();
}

void TVL_RS_Base::ClearRTS() {
  if (port_) port_->ClearRTS();
}

void TVL_RS_Base::SetRTS() {
  if (port_) port_->SetRTS();
}

}  // namespace mk::link
