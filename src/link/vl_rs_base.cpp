#include "link/vl_rs_base.h"

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
    PortNumber = FirstPresentPort();
    BaudRate = kLineBaud;
    ByteSize = 8;
    Parity = 0;
    StopBits = 2;
    SectionName = "RS232Base";
  } else {
    prompt_.ShowError(kNoFreePort);
  }
}

TVL_RS_Base::~TVL_RS_Base() {
  Handle.reset();
}

void TVL_RS_Base::LoadSettings(text::IniFile& ini) {
  const long stored = ini.ReadInteger(SectionName, kPortKey, PortNumber);
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
  ini.WriteInteger(SectionName, kPortKey, PortNumber);
}

void TVL_RS_Base::SelectPortDialog() {
  if (IsOpen) ClosePort();
  if (port_dialog_ == nullptr) return;
  if (ScanPorts() == 0) {
    prompt_.ShowError(kNoFreePort);
    return;
  }
  // 0 is Cancel, or OK while nothing was selected (the port chosen before has
  // gone): both keep the number there was.
  const int chosen = port_dialog_->Choose(PortPresent, PortNumber);
  if (InRange(chosen)) PortNumber = chosen;
  Reopen(false);
  OpenPort(PortNumber);
}

void TVL_RS_Base::ClosePort() {
  Handle.reset();
  IsOpen = false;
}

void TVL_RS_Base::PurgeInput() {
  if (Handle) Handle->PurgeInput();
}

void TVL_RS_Base::PurgeOutput() {
  if (Handle) Handle->PurgeOutput();
}

std::uint8_t TVL_RS_Base::ScanPorts() {
  if (Handle) ClosePort();
  PresentCount = 0;
  PortPresent.fill(false);
  for (int n = 1; n <= kMaxPorts; ++n) {
    if (ports_.Probe(n)) {
      PortPresent[static_cast<std::size_t>(n)] = true;
      ++PresentCount;
    }
  }
  return static_cast<std::uint8_t>(PresentCount);
}

int TVL_RS_Base::FirstPresentPort() const {
  for (int n = 1; n <= kMaxPorts; ++n) {
    if (PortPresent[static_cast<std::size_t>(n)]) return n;
  }
  return 0;
}

void TVL_RS_Base::OpenPort(int n) {
  if (n <= 0) return;
  // PortNumber == n afterwards tells the caller that n was present at the
  // last scan. Numbers past the scanned range are never present.
  const bool present = InRange(n) && PortPresent[static_cast<std::size_t>(n)];
  PortNumber = present ? n : FirstPresentPort();
  if (PortNumber == 0) {
    prompt_.ShowError(kNoFreePort);
    return;
  }
  ClosePort();
  // The requested number is tried even when the scan missed it (the device may
  // have appeared since); a number past the range is refused outright.
  if (InRange(n)) Handle = ports_.Open(n);
  if (!Handle) {
    ClosePort();
    return;
  }
  SetBaud(BaudRate);
  SetByteSize(ByteSize);
  SetParity(Parity);
  SetStopBits(StopBits);
  SetDTR();
  PurgeInput();
  IsOpen = true;
  PortOpened();
}

void TVL_RS_Base::Reopen(bool open) {
  if (open) {
    OpenPort(PortNumber);
  } else {
    ClosePort();
  }
}

void TVL_RS_Base::SetBaud(std::uint32_t rate) {
  BaudRate = rate;
  if (!Handle) return;
  // A driver that cannot do the rate keeps another; the user sees that one.
  const std::uint32_t actual = Handle->SetBaud(rate);
  if (actual != 0) BaudRate = actual;
}

void TVL_RS_Base::SetByteSize(std::uint8_t b) {
  ByteSize = b;
  if (Handle) Handle->SetByteSize(b);
}

void TVL_RS_Base::SetParity(std::uint8_t b) {
  Parity = b;
  if (Handle) Handle->SetParity(b);
}

void TVL_RS_Base::SetStopBits(std::uint8_t b) {
  StopBits = b;
  if (Handle) Handle->SetStopBits(b);
}

void TVL_RS_Base::SetDTR() {
  if (Handle) Handle->SetDTR();
}

void TVL_RS_Base::ClearRTS() {
  if (Handle) Handle->ClearRTS();
}

void TVL_RS_Base::SetRTS() {
  if (Handle) Handle->SetRTS();
}

}  // namespace mk::link
