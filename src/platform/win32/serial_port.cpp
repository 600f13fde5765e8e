// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/serial_port.h"

#include <windows.h>

#include <string>

namespace mk::platform {
namespace {

constexpr DWORD kQueueSize = 1048576;

template <typename Change>
void Modify(HANDLE h, Change change) {
  // One field at a time: every other DCB field, flow control included, stays
  // as the driver has it.
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(h, &dcb)) return;
  change(dcb);
  SetCommState(h, &dcb);
}

HANDLE OpenHandle(int number, DWORD access) {
  return CreateFileW(Win32SerialPort::DevicePath(number).c_str(), access, 0, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

std::wstring Win32SerialPort::DevicePath(int number) {
  return L"\\\\?\\COM" + std::to_wstring(number);
}

std::unique_ptr<Win32SerialPort> Win32SerialPort::Open(int number) {
  HANDLE h = OpenHandle(number, GENERIC_READ | GENERIC_WRITE);
  if (h == INVALID_HANDLE_VALUE) return nullptr;
  std::unique_ptr<Win32SerialPort> port(new Win32SerialPort(h));
  SetupComm(h, kQueueSize, kQueueSize);
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;  // with the rest 0: reads return at once
  SetCommTimeouts(h, &timeouts);
  port->SetDTR();
  port->PurgeInput();
  return port;
}

PortCheck Win32SerialPort::Check(int number) {
  HANDLE h = OpenHandle(number, 0);
  if (h != INVALID_HANDLE_VALUE) {
    CloseHandle(h);
    return {PortState::kFree, {}};
  }
  const DWORD err = GetLastError();
  switch (err) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return {PortState::kMissing, "нет устройства"};
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      // A COM port in use by another program answers "access denied".
      return {PortState::kBusy, "занят другой программой"};
    default:
      return {PortState::kFailed, "не открывается (ошибка " + std::to_string(err) + ")"};
  }
}

Win32SerialPort::~Win32SerialPort() {
  CloseHandle(handle_);
}

std::uint32_t Win32SerialPort::SetBaud(std::uint32_t rate) {
  Modify(handle_, [rate](DCB& dcb) { dcb.BaudRate = rate; });
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(handle_, &dcb)) return 0;
  return dcb.BaudRate;
}

void Win32SerialPort::SetByteSize(std::uint8_t bits) {
  Modify(handle_, [bits](DCB& dcb) { dcb.ByteSize = bits; });
}

void Win32SerialPort::SetParity(std::uint8_t parity) {
  Modify(handle_, [parity](DCB& dcb) { dcb.Parity = parity; });
}

void Win32SerialPort::SetStopBits(std::uint8_t stop_bits) {
  Modify(handle_, [stop_bits](DCB& dcb) { dcb.StopBits = stop_bits; });
}

void Win32SerialPort::SetDTR() {
  EscapeCommFunction(handle_, SETDTR);
}
void Win32SerialPort::SetRTS() {
  EscapeCommFunction(handle_, SETRTS);
}
void Win32SerialPort::ClearRTS() {
  EscapeCommFunction(handle_, CLRRTS);
}

void Win32SerialPort::PurgeInput() {
  PurgeComm(handle_, PURGE_RXCLEAR);
}
void Win32SerialPort::PurgeOutput() {
  PurgeComm(handle_, PURGE_TXCLEAR);
}

std::size_t Win32SerialPort::Read(std::uint8_t* buffer, std::size_t max) {
  DWORD got = 0;
  const DWORD want = max > MAXDWORD ? MAXDWORD : static_cast<DWORD>(max);
  if (want == 0 || !ReadFile(handle_, buffer, want, &got, nullptr)) return 0;
  return got;
}

std::size_t Win32SerialPort::Write(const std::uint8_t* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const std::size_t left = size - done;
    const DWORD chunk = left > MAXDWORD ? MAXDWORD : static_cast<DWORD>(left);
    DWORD wrote = 0;
    if (!WriteFile(handle_, data + done, chunk, &wrote, nullptr) || wrote == 0) break;
    done += wrote;
  }
  return done;
}

bool Win32SerialPort::WaitReadable(std::uint32_t ms) {
  // The driver queue is checked every millisecond; Sleep(1) keeps the wait in
  // the OS and the answer within a tick of its arrival.
  const ULONGLONG start = GetTickCount64();
  for (;;) {
    DWORD errors = 0;
    COMSTAT stat{};
    if (!ClearCommError(handle_, &errors, &stat)) return false;
    if (stat.cbInQue > 0) return true;
    if (GetTickCount64() - start >= ms) return false;
    Sleep(1);
  }
}

}  // namespace mk::platform
