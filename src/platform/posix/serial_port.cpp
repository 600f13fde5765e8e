// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

#include "platform/posix/serial_errno.h"
#include "platform/posix/serial_termios.h"

#ifdef __linux__
#include <linux/serial.h>
#endif

namespace mk::platform {
namespace {

// How long a write may wait for a stalled device to take more bytes.
constexpr int kWriteStallMs = 2000;

struct SpeedPair {
  std::uint32_t rate;
  speed_t speed;
};

constexpr SpeedPair kSpeeds[] = {
    {50, B50},         {75, B75},         {110, B110},       {134, B134},     {150, B150},
    {200, B200},       {300, B300},       {600, B600},       {1200, B1200},   {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200}, {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400},
#ifdef B460800
    {460800, B460800},
#endif
#ifdef B921600
    {921600, B921600},
#endif
};

PortCheck Failure(int err) {
  switch (err) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return {PortState::kMissing, "нет устройства (" + ErrnoName(err) + ")"};
    case EACCES:
    case EPERM:
      return {PortState::kNoAccess, "нет доступа (" + ErrnoName(err) + ")"};
    case EBUSY:
    case EWOULDBLOCK:
      return {PortState::kBusy, "занят другой программой"};
    default:
      return {PortState::kFailed, "не открывается (" + ErrnoName(err) + ")"};
  }
}

void CloseQuietly(int fd) {
  // Lift the exclusive mode before closing: it belongs to the tty, not to
  // this descriptor, and would outlive us while someone else holds the tty.
  ioctl(fd, TIOCNXCL);
  close(fd);
}

// Applies one change to the line settings, leaving all others as they are.
template <typename Change>
void Modify(int fd, Change change) {
  termios t{};
  if (tcgetattr(fd, &t) != 0) return;
  if (change(t)) tcsetattr(fd, TCSANOW, &t);
}

void SetModemBits(int fd, unsigned long request, int bits) {
  ioctl(fd, request, &bits);
}

void TryLowLatency(int fd) {
#if defined(__linux__) && defined(TIOCGSERIAL)
  serial_struct s{};
  if (ioctl(fd, TIOCGSERIAL, &s) == 0) {
    s.flags |= ASYNC_LOW_LATENCY;
    ioctl(fd, TIOCSSERIAL, &s);  // refused by ptys and some drivers; harmless
  }
#else
  (void)fd;
#endif
}

}  // namespace

std::uint32_t BaudFromSpeed(unsigned speed) {
  for (const auto& p : kSpeeds) {
    if (p.speed == speed) return p.rate;
  }
  return 0;
}

unsigned SpeedFromBaud(std::uint32_t rate) {
  for (const auto& p : kSpeeds) {
    if (p.rate == rate) return p.speed;
  }
  return B0;
}

std::unique_ptr<PosixSerialPort> PosixSerialPort::Open(const std::string& path, PortCheck* check) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (check) *check = Failure(errno);
    return nullptr;
  }
  // flock keeps out every other program that locks (as we do) even when we
  // run as root, which TIOCEXCL does not stop.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    close(fd);
    if (check) *check = Failure(err == EWOULDBLOCK ? EBUSY : err);
    return nullptr;
  }
  termios t{};
  if (!isatty(fd) || tcgetattr(fd, &t) != 0) {
    const int err = errno;
    close(fd);
    if (check) *check = Failure(err ? err : ENOTTY);
    return nullptr;
  }
  ioctl(fd, TIOCEXCL);

  MakeMkLine(t);
  cfsetispeed(&t, B115200);
  cfsetospeed(&t, B115200);
  tcsetattr(fd, TCSANOW, &t);
  TryLowLatency(fd);

  std::unique_ptr<PosixSerialPort> port(new PosixSerialPort(fd));
  port->SetDTR();
  port->PurgeInput();
  if (check) *check = {PortState::kFree, {}};
  return port;
}

PortCheck PosixSerialPort::Check(const std::string& path) {
  PortCheck check;
  Open(path, &check);
  return check;
}

PosixSerialPort::~PosixSerialPort() {
  CloseQuietly(fd_);
}

std::uint32_t PosixSerialPort::SetBaud(std::uint32_t rate) {
  const speed_t speed = SpeedFromBaud(rate);
  if (speed != B0) {
    Modify(fd_, [speed](termios& t) {
      return cfsetispeed(&t, speed) == 0 && cfsetospeed(&t, speed) == 0;
    });
  }
  termios t{};
  if (tcgetattr(fd_, &t) != 0) return 0;
  return BaudFromSpeed(cfgetospeed(&t));
}

void PosixSerialPort::SetByteSize(std::uint8_t bits) {
  Modify(fd_, [bits](termios& t) { return ApplyByteSize(t, bits); });
}

void PosixSerialPort::SetParity(std::uint8_t parity) {
  Modify(fd_, [parity](termios& t) { return ApplyParity(t, parity); });
}

void PosixSerialPort::SetStopBits(std::uint8_t stop_bits) {
  Modify(fd_, [stop_bits](termios& t) { return ApplyStopBits(t, stop_bits); });
}

// A pseudo-terminal has no modem lines and refuses these; that is fine.
void PosixSerialPort::SetDTR() {
  SetModemBits(fd_, TIOCMBIS, TIOCM_DTR);
}
void PosixSerialPort::SetRTS() {
  SetModemBits(fd_, TIOCMBIS, TIOCM_RTS);
}
void PosixSerialPort::ClearRTS() {
  SetModemBits(fd_, TIOCMBIC, TIOCM_RTS);
}

void PosixSerialPort::PurgeInput() {
  tcflush(fd_, TCIFLUSH);
}
void PosixSerialPort::PurgeOutput() {
  tcflush(fd_, TCOFLUSH);
}

std::size_t PosixSerialPort::Read(std::uint8_t* buffer, std::size_t max) {
  if (max == 0) return 0;
  for (;;) {
    const ssize_t n = read(fd_, buffer, max);
    if (n > 0) return static_cast<std::size_t>(n);
    if (n < 0 && errno == EINTR) continue;
    return 0;  // nothing buffered (EAGAIN), or the device went away (EIO)
  }
}

std::size_t PosixSerialPort::Write(const std::uint8_t* data, std::size_t size) {
  std::size_t done = 0;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteStallMs);
  while (done < size) {
    const ssize_t n = write(fd_, data + done, size - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) break;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    if (left <= 0) break;
    pollfd p{fd_, POLLOUT, 0};
    if (poll(&p, 1, static_cast<int>(left)) < 0 && errno != EINTR) break;
  }
  return done;
}

bool PosixSerialPort::WaitReadable(std::uint32_t ms) {
  const auto start = std::chrono::steady_clock::now();
  pollfd p{fd_, POLLIN, 0};
  int r;
  do {
    r = poll(&p, 1, static_cast<int>(ms));
  } while (r < 0 && errno == EINTR);
  if (r > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) == 0) return true;
  if (r > 0) {
    // Hung up or failed: nothing will come. Spend the wait anyway so that a
    // caller polling in a loop does not spin.
    std::this_thread::sleep_until(start + std::chrono::milliseconds(ms));
  }
  return false;
}

}  // namespace mk::platform
